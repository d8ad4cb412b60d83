// Basic types: sizes, alignments, kinds, reference modes, names, sameness
// and compatibility, the safety check for native calls, and serialization.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Values/Value.h"
#include "Script/Values/ValueKind.h"
#include "tests/types/RecordingSerializer.h"
#include "tests/types/TypeBuilders.h"

namespace script {
namespace {

using test::MarkReference;
using test::RecordingSerializer;
using test::StubNode;

struct BasicCase {
  int32_t id;
  uint32_t size;
  uint32_t alignment;
  uint32_t kind;
};

TEST(TypeTest, BasicTypesHaveTheirSizeAlignmentAndKind) {
  const BasicCase cases[] = {
      {TYPE_BOOL, 1, 1, KIND_BOOL},     {TYPE_I8, 1, 1, KIND_I8},
      {TYPE_UI8, 1, 1, KIND_UI8},       {TYPE_I16, 2, 2, KIND_I16},
      {TYPE_UI16, 2, 2, KIND_UI16},     {TYPE_I32, 4, 4, KIND_I32},
      {TYPE_UI32, 4, 4, KIND_UI32},     {TYPE_I64, 8, 8, KIND_I64},
      {TYPE_UI64, 8, 8, KIND_UI64},     {TYPE_FLOAT, 4, 4, KIND_FLOAT},
      {TYPE_DOUBLE, 8, 8, KIND_DOUBLE}, {TYPE_STRING, sizeof(std::string), alignof(std::string), KIND_STRING},
      {TYPE_LIB, 8, 8, KIND_LIB},       {TYPE_AGGREGATE_TYPE, 0, 1, KIND_AGGREGATE},
      {TYPE_ERROR_TYPE, 0, 1, KIND_AGGREGATE}, {TYPE_ARRAY, 0, 1, KIND_ARRAY},
      {TYPE_SCOPE, 0, 1, KIND_NONE},
  };
  for (const BasicCase& c : cases) {
    Type type(c.id, {}, nullptr);
    EXPECT_EQ(type.GetSize(), c.size) << NodeTypeName(c.id);
    EXPECT_EQ(type.GetSlotSize(), c.size) << NodeTypeName(c.id);
    EXPECT_EQ(type.GetAlignment(), c.alignment) << NodeTypeName(c.id);
    EXPECT_EQ(type.GetKind(), c.kind) << NodeTypeName(c.id);
    EXPECT_EQ(type.ReferenceMode(), 0u);
  }
}

TEST(TypeTest, ReferenceModeComesFromTheMarkers) {
  for (uint32_t mode : {0u, 1u, 2u}) {
    Type type(TYPE_I8, {}, nullptr);
    MarkReference(type, mode);
    EXPECT_EQ(type.ReferenceMode(), mode);
    EXPECT_EQ(type.GetAlignment(), mode == 0 ? 1u : 8u);
    EXPECT_EQ(type.GetSize(), 1u);
  }
  // A marker on the right alone still makes a reference to a reference.
  Type right(TYPE_I8, {}, nullptr);
  right.SetRight(new StubNode(TYPE_REF, &right));
  EXPECT_EQ(right.ReferenceMode(), 2u);
  // Other children are no markers.
  Type other(TYPE_I8, {}, nullptr);
  other.SetLeft(new StubNode(TYPE_TOKEN, &other));
  EXPECT_EQ(other.ReferenceMode(), 0u);
}

TEST(TypeTest, ReferenceTakesAnAddressSlotOnlyInsideStructuresAndArrays) {
  const struct {
    int32_t parentId;
    uint32_t slotSize;
  } cases[] = {{TYPE_AGGREGATE_TYPE, 8}, {TYPE_ARRAY, 8}, {TYPE_ERROR_TYPE, 8}, {TYPE_SCOPE, 2}, {TYPE_FUNCTION, 2}};
  for (const auto& c : cases) {
    StubNode parent(c.parentId);
    Type type(TYPE_I16, {}, &parent);
    EXPECT_EQ(type.GetSlotSize(), 2u) << NodeTypeName(c.parentId);
    MarkReference(type, 1);
    EXPECT_EQ(type.GetSlotSize(), c.slotSize) << NodeTypeName(c.parentId);
    EXPECT_EQ(type.IsReferenceSlot(), c.slotSize == 8);
  }
}

TEST(TypeTest, SamenessAndCompatibilityOfBasicTypes) {
  const struct {
    int32_t a;
    int32_t b;
    bool same;
  } cases[] = {
      {TYPE_I32, TYPE_UI32, true},    {TYPE_I8, TYPE_UI8, true},      {TYPE_I16, TYPE_UI16, true},
      {TYPE_UI64, TYPE_I64, true},    {TYPE_I32, TYPE_I64, false},    {TYPE_UI8, TYPE_I16, false},
      {TYPE_FLOAT, TYPE_DOUBLE, false}, {TYPE_BOOL, TYPE_UI8, false}, {TYPE_BOOL, TYPE_STRING, false},
      {TYPE_UI32, TYPE_FLOAT, false}, {TYPE_STRING, TYPE_STRING, true}, {TYPE_DOUBLE, TYPE_DOUBLE, true},
  };
  for (const auto& c : cases) {
    Type a(c.a, {}, nullptr);
    Type b(c.b, {}, nullptr);
    EXPECT_EQ(a.IsSameType(&b), c.same) << NodeTypeName(c.a) << " " << NodeTypeName(c.b);
    EXPECT_EQ(b.IsSameType(&a), c.same) << NodeTypeName(c.b) << " " << NodeTypeName(c.a);
    // Every two basic types are compatible.
    EXPECT_TRUE(a.IsCompatible(&b));
  }
  Type i32(TYPE_I32, {}, nullptr);
  Type structure(TYPE_AGGREGATE_TYPE, {}, nullptr);
  EXPECT_FALSE(i32.IsCompatible(&structure));
  EXPECT_FALSE(i32.IsSameType(&structure));
  EXPECT_FALSE(i32.IsSameType(nullptr));
  EXPECT_FALSE(i32.IsCompatible(nullptr));
}

TEST(TypeTest, NameIsTheSymbolWithTheReferenceSuffix) {
  SymbolStore symbols;
  const uint32_t i32Symbol = static_cast<uint32_t>(symbols.FindSymbol("i32"));
  const char* names[] = {"i32", "i32@", "i32@@"};
  for (uint32_t mode : {0u, 1u, 2u}) {
    Type type(TYPE_I32, SourcePosition{i32Symbol}, nullptr);
    MarkReference(type, mode);
    EXPECT_EQ(type.GetName(symbols), names[mode]);
  }
  Type unknown(TYPE_I32, SourcePosition{100000}, nullptr);
  EXPECT_EQ(unknown.GetName(symbols), "");
}

TEST(TypeTest, OnlyStringsAreUnsafeForNativeCalls) {
  for (int32_t id = TYPE_BOOL; id <= TYPE_STRING; ++id) {
    Error error;
    std::vector<SourcePosition> trace;
    const SourcePosition position{59, 1, 3, 7};
    Type type(id, position, nullptr);
    const bool safe = type.IsSafeType(&error, trace);
    EXPECT_EQ(safe, id != TYPE_STRING) << NodeTypeName(id);
    if (safe) {
      EXPECT_TRUE(trace.empty());
      EXPECT_FALSE(error.IsSet());
      continue;
    }
    EXPECT_EQ(trace, std::vector<SourcePosition>{position});
    EXPECT_EQ(error.Code(), 135);
    EXPECT_EQ(error.Name(), "STRING_IS_NOT_SAFE_EXTERNAL_TYPE");
    EXPECT_STREQ(error.Function(), "script::Type::IsSafeType");
    EXPECT_STREQ(error.Module(), "Expressions");
    EXPECT_EQ(error.NodePosition(), position);
  }
}

// A declaration item that records its run and returns a set result.
class RecordingItem final : public Node {
 public:
  RecordingItem(std::vector<int>* runs, int id, uint32_t result)
      : Node(TYPE_TOKEN, {}, nullptr), runs_(runs), id_(id), result_(result) {}
  uint32_t Run(ExecContext* context) override {
    EXPECT_NE(context->result, nullptr);
    EXPECT_EQ(context->result->Kind(), KIND_NONE);
    runs_->push_back(id_);
    return result_;
  }

 private:
  std::vector<int>* runs_;
  int id_;
  uint32_t result_;
};

TEST(TypeTest, RunRunsItemsInOrderUntilOneFails) {
  const struct {
    std::vector<uint32_t> results;
    std::vector<int> runs;
    uint32_t result;
  } cases[] = {
      {{}, {}, RUN_OK},
      {{RUN_OK, RUN_OK, RUN_OK}, {0, 1, 2}, RUN_OK},
      {{RUN_OK, RUN_ERROR, RUN_OK}, {0, 1}, RUN_ERROR},
      {{RUN_STOP, RUN_OK}, {0}, RUN_STOP},
  };
  for (const auto& c : cases) {
    std::vector<int> runs;
    Type type(TYPE_I32, {}, nullptr);
    for (std::size_t i = 0; i < c.results.size(); ++i) {
      type.AddItem(new RecordingItem(&runs, static_cast<int>(i), c.results[i]));
    }
    for (const Node* item : type.Items()) EXPECT_EQ(item->Parent(), &type);
    ExecContext context;
    EXPECT_EQ(type.Run(&context), c.result);
    EXPECT_EQ(runs, c.runs);
  }
}

TEST(TypeTest, NeverStandsInAnExpression) {
  Type type(TYPE_I32, {}, nullptr);
  Type* result = nullptr;
  Error error;
  EXPECT_FALSE(type.IsExpression(&result, nullptr, &error));
  EXPECT_EQ(error.Code(), static_cast<int32_t>(ErrorCode::INTERNAL_ERROR));
  EXPECT_STREQ(error.Function(), "script::Type::IsExpression");
}

TEST(TypeTest, DeclarationWritesTypeMarkersAndVariables) {
  // i32 @ a, b at statement level: the scope ends the statement.
  StubNode scope(TYPE_SCOPE);
  auto* type = new Type(TYPE_I32, SourcePosition{53}, &scope);
  scope.SetLeft(type);
  type->SetLeft(new StubNode(TYPE_REF, type, SourcePosition{47}));
  test::Declare(type, {90, 91});
  RecordingSerializer out;
  type->Serialize(&out);
  EXPECT_EQ(out.Text(), "<82 <58 s47 >58 <96 <2 s90 >2 <55 <2 s91 >2");

  // The same declaration elsewhere, such as a structure member, ends itself.
  type->SetParent(nullptr);
  RecordingSerializer member;
  type->Serialize(&member);
  EXPECT_EQ(member.Text(), "<82 <58 s47 >58 <96 <2 s90 >2 <55 <2 s91 >2 >92");
}

TEST(TypeTest, TypeInsideAnotherDeclarationWritesNoEnd) {
  for (int32_t parentId : {TYPE_SCOPE, TYPE_FUNCTION, TYPE_FUNCTION_REF_TYPE, TYPE_ARRAY}) {
    StubNode parent(parentId);
    Type type(TYPE_BOOL, SourcePosition{48}, &parent);
    RecordingSerializer out;
    type.Serialize(&out);
    EXPECT_EQ(out.Text(), "<77") << NodeTypeName(parentId);
  }
  // The target type of a cast hangs below the cast's variable, whose type is
  // a function reference type below the cast built-in.
  StubNode cast(TYPE_CAST);
  Type castType(TYPE_FUNCTION_REF_TYPE, {}, &cast);
  Variable castName(SourcePosition{83}, nullptr, &castType);
  Type target(TYPE_I8, SourcePosition{49}, &castName);
  RecordingSerializer out;
  target.Serialize(&out);
  EXPECT_EQ(out.Text(), "<78");
}

}  // namespace
}  // namespace script
