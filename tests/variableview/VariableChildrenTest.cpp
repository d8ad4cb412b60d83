// Expansion of variables into children: which types expand, dynamic arrays,
// reference elements and error type members.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/VariableView/VariableChildren.h"
#include "Script/VariableView/VariableText.h"
#include "tests/variableview/VariableViewFixture.h"

namespace script {
namespace {

// An error type: a structure with its own type id.
class ErrorTypeNode final : public AggregateType {
 public:
  explicit ErrorTypeNode(uint32_t symbol) : AggregateType(TYPE_ERROR_TYPE, SourcePosition{symbol}, nullptr) {}
};

class VariableChildrenTest : public test::VariableViewFixture {
 protected:
  ViewedVariable NewVariable(Type* type, uint32_t size) {
    return ViewedVariable{"v", type, HeldBlock(heap_.NewOwnedBlock(type, size)), 0, &symbols_};
  }
  // "name : type = value" of each child.
  std::vector<std::string> Describe(const ViewedVariable& variable) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < ChildCount(variable); ++i) {
      const ViewedVariable child = ChildAt(variable, i);
      lines.push_back(child.name + " : " + child.type->GetName(symbols_) + " = " + ValueText(child, VIEW_DEFAULT));
    }
    return lines;
  }
};

TEST_F(VariableChildrenTest, ContainersExpandAndScalarsDoNot) {
  AggregateType* point = Structure("Point");
  AddMember(*point, TYPE_I32, 0, {"x"});
  ASSERT_TRUE(point->ComputeLayout());
  struct Case {
    Type* type;
    bool expands;
  };
  const Case cases[] = {
      {point, true},
      {Own(new ErrorTypeNode(Symbol("Error"))), true},
      {Own(test::MakeArray(Basic(TYPE_I8), {2})), true},
      {Own(new Type(TYPE_LIB, SourcePosition{}, nullptr)), true},
      {Own(Basic(TYPE_STRING)), false},
      {Own(Basic(TYPE_I32)), false},
      {Own(new FunctionRefType(SourcePosition{}, nullptr)), false},
      {nullptr, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expands, IsExpandable(c.type)) << (c.type ? c.type->TypeId() : -1);

  EXPECT_EQ(ChildCount(ViewedVariable{"p", point, nullptr, 0, &symbols_}), 0u)
      << "an unresolved structure has no children";
}

TEST_F(VariableChildrenTest, DynamicArraysListTheElementsTheBlockHolds) {
  ArrayType* numbers = Own(test::MakeArray(Basic(TYPE_I32), {}));
  ViewedVariable array = NewVariable(numbers, 14);
  for (int32_t i = 0; i < 3; ++i) std::memcpy(array.block->Data() + 4 * i, &i, sizeof i);
  EXPECT_EQ((std::vector<std::string>{"[0] : i32 = 0", "[1] : i32 = 1", "[2] : i32 = 2"}), Describe(array));
}

TEST_F(VariableChildrenTest, ReferenceElementsShowTheObjectTheirAddressPointsAt) {
  ArrayType* references = Own(test::MakeArray(Basic(TYPE_I32, nullptr, 1), {2}));
  ViewedVariable array = NewVariable(references, references->GetSize());
  MemoryBlock* target = heap_.NewOwnedBlock(BuiltInType(TYPE_I32), 4);
  const int32_t nine = 9;
  std::memcpy(target->Data(), &nine, sizeof nine);
  heap_.EnsureMapped(target);
  // The cell takes over the creation count; the array's release frees the target.
  uint8_t* address = target->Data();
  std::memcpy(array.block->Data() + Type::kAddressSize, &address, sizeof address);
  EXPECT_EQ((std::vector<std::string>{"[0] : i32@ = <null>", "[1] : i32@ = 9"}), Describe(array));
}

TEST_F(VariableChildrenTest, ErrorTypesListTheirMembersByName) {
  auto* error = Own(new ErrorTypeNode(Symbol("Error")));
  AddMember(*error, TYPE_I32, 0, {"line", "position"});
  ASSERT_TRUE(error->ComputeLayout());
  ViewedVariable variable = NewVariable(error, error->GetSize());
  const int32_t at[] = {3, 14};
  std::memcpy(variable.block->Data(), at, sizeof at);
  EXPECT_EQ((std::vector<std::string>{"line : i32 = 3", "position : i32 = 14"}), Describe(variable));
}

// Children are made one at a time: any element of a large array is at hand
// without the others being made.
TEST_F(VariableChildrenTest, AnyChildOfALargeArrayIsMadeAlone) {
  constexpr uint32_t kCount = 1u << 24;
  ArrayType* bytes = Own(test::MakeArray(Basic(TYPE_UI8), {4096, kCount / 4096}));
  ViewedVariable array = NewVariable(bytes, bytes->GetSize());
  array.block->Data()[kCount - 1] = 7;
  ASSERT_EQ(kCount, ChildCount(array));
  const ViewedVariable last = ChildAt(array, kCount - 1);
  EXPECT_EQ("[4095,4095]", last.name);
  EXPECT_EQ("7 '\\a'", ValueText(last, VIEW_DEFAULT));
}

}  // namespace
}  // namespace script
