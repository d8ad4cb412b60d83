#include <gtest/gtest.h>

#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/Type.h"

namespace script {
namespace {

class StackSlotReservationTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(interpreter_.Init()); }

  SourcePosition Declaration(const char* name) {
    return SourcePosition{interpreter_.Symbols().InternSymbol(name), 0, 1, 1};
  }

  Error error_;
  Interpreter interpreter_{&error_, nullptr};
};

TEST_F(StackSlotReservationTest, GlobalsAreAlignedAndMarked) {
  const std::pair<int32_t, uint32_t> declarations[] = {
      {TYPE_BOOL, 0}, {TYPE_I32, 4}, {TYPE_I64, 8}, {TYPE_I8, 16}, {TYPE_I16, 18}};
  uint32_t index = 0;
  for (const auto& [typeId, offset] : declarations) {
    StackSlotReservation slot{};
    ASSERT_TRUE(interpreter_.ReserveAlignedStackSpotIfNotDeclared(
        BuiltInType(typeId), Declaration(("v" + std::to_string(index)).c_str()), slot));
    EXPECT_EQ(offset | Interpreter::kGlobalSlotBit, slot.offset) << typeId;
    EXPECT_EQ(index++ | Interpreter::kGlobalSlotBit, slot.index) << typeId;
  }
  auto* root = static_cast<Scope*>(interpreter_.GetRoot());
  EXPECT_EQ(5u, root->FrameLayout().size());
  EXPECT_EQ(20u, root->FrameSize());
}

TEST_F(StackSlotReservationTest, ANameDeclaredInTheScopeIsADuplicate) {
  auto* root = static_cast<Scope*>(interpreter_.GetRoot());
  SourcePosition x = Declaration("x");
  auto* declared = new Scope(x, root);
  root->AddStatement(declared);
  ASSERT_TRUE(root->AddDefinition(declared));
  StackSlotReservation slot{};
  EXPECT_FALSE(interpreter_.ReserveAlignedStackSpotIfNotDeclared(BuiltInType(TYPE_I32), x, slot));
  EXPECT_EQ("DUPLICATE_DECLARATION", error_.Name());
  EXPECT_STREQ("script::Interpreter::ReserveAlignedStackSpotIfNotDeclared", error_.Function());
}

}  // namespace
}  // namespace script
