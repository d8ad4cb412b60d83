// Structures: the layout algorithm, the definition link, sameness, names,
// the safety check and serialization.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Values/ValueKind.h"
#include "tests/types/RecordingSerializer.h"
#include "tests/types/TypeBuilders.h"

namespace script {
namespace {

using test::AddMember;
using test::OffsetOf;
using test::RecordingSerializer;
using test::StubNode;
using test::UseStructure;

struct MemberShape {
  int32_t typeId;
  uint32_t referenceMode;
  std::size_t variables;
};

struct LayoutCase {
  const char* what;
  std::vector<MemberShape> members;
  std::vector<uint32_t> offsets;  // of every member variable, in order
  uint32_t size;
  uint32_t alignment;
};

TEST(AggregateTypeTest, LayoutAlignsEachMemberAndRoundsTheSize) {
  const uint32_t s = sizeof(std::string);
  const LayoutCase cases[] = {
      {"i8 a; i32 b; i8 c", {{TYPE_I8, 0, 1}, {TYPE_I32, 0, 1}, {TYPE_I8, 0, 1}}, {0, 4, 8}, 12, 4},
      {"i8 a, b, c", {{TYPE_I8, 0, 3}}, {0, 1, 2}, 3, 1},
      {"i16 a, b; double d", {{TYPE_I16, 0, 2}, {TYPE_DOUBLE, 0, 1}}, {0, 2, 8}, 16, 8},
      {"i8 a; string s", {{TYPE_I8, 0, 1}, {TYPE_STRING, 0, 1}}, {0, 8}, 8 + s, 8},
      {"i8 a; i64@ r; i8 c", {{TYPE_I8, 0, 1}, {TYPE_I64, 1, 1}, {TYPE_I8, 0, 1}}, {0, 8, 16}, 24, 8},
      {"ui8@ r", {{TYPE_UI8, 1, 1}}, {0}, 8, 8},
      {"string@@ r; i8 c", {{TYPE_STRING, 2, 1}, {TYPE_I8, 0, 1}}, {0, 8}, 16, 8},
      {"empty", {}, {}, 0, 1},
  };
  for (const LayoutCase& c : cases) {
    AggregateType structure({}, nullptr);
    std::vector<Type*> members;
    for (const MemberShape& shape : c.members) {
      members.push_back(AddMember(structure, shape.typeId, shape.referenceMode, {}));
      for (std::size_t i = 0; i < shape.variables; ++i) test::Declare(members.back(), {90});
    }
    ASSERT_TRUE(structure.ComputeLayout()) << c.what;
    std::vector<uint32_t> offsets;
    for (const Type* member : members) {
      for (std::size_t i = 0; i < member->Items().size(); ++i) offsets.push_back(OffsetOf(*member, i));
    }
    EXPECT_EQ(offsets, c.offsets) << c.what;
    EXPECT_EQ(structure.GetSize(), c.size) << c.what;
    EXPECT_EQ(structure.GetSlotSize(), c.size) << c.what;
    EXPECT_EQ(structure.GetAlignment(), c.alignment) << c.what;
    EXPECT_EQ(structure.GetKind(), KIND_AGGREGATE);
  }
}

TEST(AggregateTypeTest, UsingNodeForwardsToTheDefinition) {
  AggregateType inner(SourcePosition{90}, nullptr);
  AddMember(inner, TYPE_I8, 0, {91});
  AddMember(inner, TYPE_I32, 0, {92});
  ASSERT_TRUE(inner.ComputeLayout());

  AggregateType outer({}, nullptr);
  AddMember(outer, TYPE_I8, 0, {93});
  AggregateType* use = UseStructure(inner, &outer);
  outer.AddMember(use);
  test::Declare(use, {94});
  ASSERT_TRUE(outer.ComputeLayout());

  EXPECT_EQ(use->GetSize(), 8u);
  EXPECT_EQ(use->GetAlignment(), 4u);
  EXPECT_EQ(use->Members().size(), 2u);
  EXPECT_EQ(use->Defining(), &inner);
  EXPECT_EQ(OffsetOf(*use, 0), 4u);
  EXPECT_EQ(outer.GetSize(), 12u);

  // A reference to the structure is an address, whatever the structure's size.
  AggregateType* reference = UseStructure(inner, &outer, 1);
  outer.AddMember(reference);
  test::Declare(reference, {95});
  ASSERT_TRUE(outer.ComputeLayout());
  EXPECT_EQ(OffsetOf(*reference, 0), 16u);
  EXPECT_EQ(outer.GetSize(), 24u);
  EXPECT_EQ(outer.GetAlignment(), 8u);
}

TEST(AggregateTypeTest, LayoutRejectsMembersThatAreNoVariables) {
  {
    // A nested definition without variables is accepted; it still counts for
    // the alignment.
    AggregateType outer({}, nullptr);
    auto* nested = new AggregateType({}, &outer);
    outer.AddMember(nested);
    AddMember(*nested, TYPE_I64, 0, {90});
    ASSERT_TRUE(nested->ComputeLayout());
    AddMember(outer, TYPE_I8, 0, {91});
    EXPECT_TRUE(outer.ComputeLayout());
    EXPECT_EQ(outer.GetSize(), 8u);
  }
  {
    AggregateType outer({}, nullptr);
    AddMember(outer, TYPE_I32, 0, {});
    EXPECT_FALSE(outer.ComputeLayout()) << "a basic declaration without variables";
  }
  {
    AggregateType defined({}, nullptr);
    AggregateType outer({}, nullptr);
    outer.AddMember(UseStructure(defined, &outer));
    EXPECT_FALSE(outer.ComputeLayout()) << "a used structure without variables";
  }
  {
    AggregateType outer({}, nullptr);
    Type* member = AddMember(outer, TYPE_I32, 0, {90});
    member->AddItem(new StubNode(TYPE_PRE_POST_EXPRESSIONS));
    EXPECT_FALSE(outer.ComputeLayout()) << "a statement wrapper";
  }
  {
    AggregateType outer({}, nullptr);
    Type* member = AddMember(outer, TYPE_I32, 0, {});
    member->AddItem(new Variable({}, member, nullptr));
    EXPECT_FALSE(outer.ComputeLayout()) << "a variable without type";
  }
}

// Builds a structure from basic members; each shape is one declaration.
std::unique_ptr<AggregateType> Structure(const std::vector<MemberShape>& shapes, uint32_t symbol = 0) {
  auto structure = std::make_unique<AggregateType>(SourcePosition{symbol}, nullptr);
  for (const MemberShape& shape : shapes) {
    Type* member = AddMember(*structure, shape.typeId, shape.referenceMode, {});
    for (std::size_t i = 0; i < shape.variables; ++i) test::Declare(member, {90});
  }
  EXPECT_TRUE(structure->ComputeLayout());
  return structure;
}

TEST(AggregateTypeTest, SamenessComparesMemberDeclarationsInOrder) {
  const std::vector<MemberShape> base = {{TYPE_I8, 0, 1}, {TYPE_I32, 0, 2}};
  const struct {
    const char* what;
    std::vector<MemberShape> other;
    bool same;
  } cases[] = {
      {"same members, other name", base, true},
      {"signedness differs", {{TYPE_UI8, 0, 1}, {TYPE_UI32, 0, 2}}, true},
      {"width differs", {{TYPE_I8, 0, 1}, {TYPE_I64, 0, 2}}, false},
      {"order differs", {{TYPE_I32, 0, 2}, {TYPE_I8, 0, 1}}, false},
      {"fewer declarations", {{TYPE_I8, 0, 1}}, false},
      {"fewer variables", {{TYPE_I8, 0, 1}, {TYPE_I32, 0, 1}}, false},
      {"a reference member", {{TYPE_I8, 0, 1}, {TYPE_I32, 1, 2}}, false},
  };
  auto mine = Structure(base, 90);
  for (const auto& c : cases) {
    auto other = Structure(c.other, 91);
    EXPECT_EQ(mine->IsSameType(other.get()), c.same) << c.what;
    EXPECT_EQ(other->IsSameType(mine.get()), c.same) << c.what;
    EXPECT_EQ(mine->IsCompatible(other.get()), c.same) << c.what;
  }
  Type i32(TYPE_I32, {}, nullptr);
  EXPECT_FALSE(mine->IsSameType(&i32));
  EXPECT_FALSE(mine->IsSameType(nullptr));
  // A using node is the same type as its definition and as other uses.
  std::unique_ptr<AggregateType> use(UseStructure(*mine, nullptr));
  EXPECT_TRUE(use->IsSameType(mine.get()));
  EXPECT_TRUE(mine->IsSameType(use.get()));
}

// struct NAME { NAME@ next; i32 value; }
std::unique_ptr<AggregateType> LinkedNode(uint32_t symbol, int32_t valueType = TYPE_I32) {
  auto node = std::make_unique<AggregateType>(SourcePosition{symbol}, nullptr);
  AggregateType* next = UseStructure(*node, node.get(), 1);
  node->AddMember(next);
  test::Declare(next, {91});
  AddMember(*node, valueType, 0, {92});
  EXPECT_TRUE(node->ComputeLayout());
  return node;
}

TEST(AggregateTypeTest, StructuresReachingThemselvesCompareAndCheckWithoutEndlessWalks) {
  auto list = LinkedNode(90);
  auto other = LinkedNode(91);
  auto wider = LinkedNode(92, TYPE_I64);
  EXPECT_EQ(list->GetSize(), 16u);
  EXPECT_TRUE(list->IsSameType(other.get()));
  EXPECT_FALSE(list->IsSameType(wider.get()));
  EXPECT_FALSE(list->IsPlainData());

  Error error;
  std::vector<SourcePosition> trace;
  EXPECT_TRUE(list->IsSafeType(&error, trace));
  EXPECT_TRUE(trace.empty());
}

TEST(AggregateTypeTest, UnsafeMemberIsTracedFromTheStringOutwards) {
  AggregateType structure(SourcePosition{90, 0, 1, 1}, nullptr);
  AddMember(structure, TYPE_I32, 0, {91});
  auto* array = new ArrayType(SourcePosition{0, 0, 2, 1}, &structure);
  array->SetElementType(new Type(TYPE_STRING, SourcePosition{59, 0, 2, 7}, nullptr));
  array->AddDimension(2, {});
  structure.AddMember(array);
  test::Declare(array, {92});
  ASSERT_TRUE(structure.ComputeLayout());

  Error error;
  std::vector<SourcePosition> trace;
  EXPECT_FALSE(structure.IsSafeType(&error, trace));
  const std::vector<SourcePosition> expected = {{59, 0, 2, 7}, {0, 0, 2, 1}, {90, 0, 1, 1}};
  EXPECT_EQ(trace, expected);
  EXPECT_EQ(error.Code(), 135);
}

TEST(AggregateTypeTest, NameIsTheStructureName) {
  SymbolStore symbols;
  const uint32_t name = symbols.InternSymbol("Point");
  auto point = Structure({{TYPE_I32, 0, 2}}, name);
  EXPECT_EQ(point->GetName(symbols), "Point");
  std::unique_ptr<AggregateType> reference(UseStructure(*point, nullptr, 2));
  EXPECT_EQ(reference->GetName(symbols), "Point@@");
}

TEST(AggregateTypeTest, DefinitionWritesItsMembersAndUseWritesItsName) {
  // struct S { i32 a; } s; then S t; in a scope. The closing brace keeps
  // the variables on its line (93).
  StubNode scope(TYPE_SCOPE);
  auto* definition = new AggregateType(SourcePosition{90}, &scope);
  scope.SetLeft(definition);
  auto* member = new Type(TYPE_I32, SourcePosition{53}, nullptr);
  definition->AddMember(member);
  test::Declare(member, {91});
  ASSERT_TRUE(definition->ComputeLayout());
  test::Declare(definition, {92});

  RecordingSerializer defined;
  definition->Serialize(&defined);
  EXPECT_EQ(defined.Text(), "<112 <96 s90 <96 <52 <82 <96 <2 s91 >2 >92 >93 <96 <2 s92 >2");

  AggregateType* use = UseStructure(*definition, &scope);
  scope.SetRight(use);
  test::Declare(use, {93});
  RecordingSerializer used;
  use->Serialize(&used);
  EXPECT_EQ(used.Text(), "s90 <96 <2 s93 >2");
}

}  // namespace
}  // namespace script
