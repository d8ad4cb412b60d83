#include <gtest/gtest.h>

#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Variables/Variable.h"
#include "tests/types/TypeBuilders.h"
#include "tests/variables/AccessFixture.h"

namespace script::test {
namespace {

class VariableRunTest : public AccessFixture {};

// A node that fails whenever it runs.
class FailingNode final : public Node {
 public:
  explicit FailingNode(Node* parent) : Node(TYPE_DOT, SourcePosition{}, parent) {}
  uint32_t Run(ExecContext*) override { return RUN_ERROR; }
};

TEST_F(VariableRunTest, ReadRefersToTheSlotStorageWithOneMoreCount) {
  Type* i32 = BuiltInType(TYPE_I32);
  PushGlobals({i32, i32});
  Store<int32_t>(Global(0), 0, 41);
  Variable x(At(5), nullptr, i32, Global(0), 0);
  Variable y(At(6), nullptr, i32, Global(1), 4);
  MemoryBlockRef* slot = thread_.GetSlot(Global(0));
  const uint32_t counted = slot->RefCount();
  {
    Value result;
    ASSERT_EQ(RUN_OK, Run(x, result));
    EXPECT_EQ(slot, result.Ref()) << "no copy: the value shares the slot's reference";
    EXPECT_EQ(counted + 1, slot->RefCount());
    EXPECT_EQ(KIND_I32, result.Kind());
    int32_t read = 0;
    ASSERT_EQ(CONVERSION_OK, result.ReadAs(read));
    EXPECT_EQ(41, read);

    Value seven;
    seven.SetI32(7);
    ASSERT_EQ(CONVERSION_OK, result.Assign(seven));
    EXPECT_EQ(7, Load<int32_t>(Global(0), 0)) << "writing through the value writes the variable";

    ASSERT_EQ(RUN_OK, Run(y, result));
    EXPECT_EQ(counted, slot->RefCount()) << "the value's previous reference is released";
  }
  EXPECT_EQ(counted, slot->RefCount());
}

TEST_F(VariableRunTest, SlotsWithoutTheGlobalBitLiveInTheCurrentFrame) {
  Type* i32 = BuiltInType(TYPE_I32);
  PushGlobals({i32});
  thread_.PushFrame(nullptr, nullptr, {FrameSlot{i32, SourcePosition{}}});
  Store<int32_t>(Global(0), 0, 1);
  Store<int32_t>(0, 0, 2);
  Variable local(At(5), nullptr, i32, 0, 0);
  Value result;
  ASSERT_EQ(RUN_OK, Run(local, result));
  int32_t read = 0;
  ASSERT_EQ(CONVERSION_OK, result.ReadAs(read));
  EXPECT_EQ(2, read);
}

TEST_F(VariableRunTest, WithoutAResultNothingRunsEvenTheAccessChain) {
  Variable x(At(5), nullptr, BuiltInType(TYPE_I32), Global(0), 0);
  x.SetRight(new FailingNode(&x));
  ExecContext context = Context(nullptr);
  EXPECT_EQ(RUN_OK, x.Run(&context));
}

TEST_F(VariableRunTest, FunctionReferencesNeedAFunctionToBindTo) {
  auto* reference = Keep(new FunctionRefType(At(9), nullptr));
  PushGlobals({reference});
  Variable bound(At(5), nullptr, reference, Global(0), 0);
  Value result;
  EXPECT_EQ(RUN_ERROR, Run(bound, result)) << "a null reference is bound on first read; no function is named 9";

  const uintptr_t address = 0x1234;
  Store<uintptr_t>(Global(0), 0, address);
  ASSERT_EQ(RUN_OK, Run(bound, result));
  EXPECT_EQ(KIND_FUNCTION_REF, result.Kind());
  uintptr_t read = 0;
  std::memcpy(&read, result.StoragePointer(), sizeof read);
  EXPECT_EQ(address, read);

  Variable functionName(At(9), nullptr, reference, 0, Variable::kNoStorage);
  Value named;
  EXPECT_EQ(RUN_ERROR, Run(functionName, named)) << "a function name not in the function table";
}

}  // namespace
}  // namespace script::test
