// Array and function reference types: sizes, names, sameness, the safety
// check, entry ownership and serialization.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/ValueKind.h"
#include "tests/types/RecordingSerializer.h"
#include "tests/types/TypeBuilders.h"

namespace script {
namespace {

using test::MakeArray;
using test::MarkReference;
using test::RecordingSerializer;
using test::StubNode;

std::unique_ptr<ArrayType> Array(int32_t elementId, std::initializer_list<uint32_t> dimensions,
                                 uint32_t elementReferenceMode = 0) {
  auto* element = new Type(elementId, SourcePosition{static_cast<uint32_t>(elementId - TYPE_BOOL + 48)}, nullptr);
  MarkReference(*element, elementReferenceMode);
  return std::unique_ptr<ArrayType>(MakeArray(element, dimensions));
}

TEST(ArrayTypeTest, SizeIsElementSlotTimesElementCount) {
  const struct {
    int32_t element;
    std::vector<uint32_t> dimensions;
    uint32_t referenceMode;
    uint32_t size;
    uint32_t alignment;
  } cases[] = {
      {TYPE_I32, {4, 3}, 0, 48, 4},  {TYPE_UI8, {16}, 0, 16, 1},   {TYPE_I32, {}, 0, 0, 4},
      {TYPE_I16, {5}, 1, 40, 8},     {TYPE_STRING, {2}, 0, 2 * sizeof(std::string), 8},
  };
  for (const auto& c : cases) {
    auto* element = new Type(c.element, {}, nullptr);
    MarkReference(*element, c.referenceMode);
    std::unique_ptr<ArrayType> array(MakeArray(element, {}));
    for (uint32_t dimension : c.dimensions) array->AddDimension(dimension, {});
    EXPECT_EQ(array->GetSize(), c.size) << NodeTypeName(c.element);
    EXPECT_EQ(array->GetSlotSize(), c.size) << NodeTypeName(c.element);
    EXPECT_EQ(array->GetAlignment(), c.alignment) << NodeTypeName(c.element);
    EXPECT_EQ(array->GetKind(), KIND_ARRAY);
  }
  // A reference to an array is an address inside a structure.
  StubNode structure(TYPE_AGGREGATE_TYPE);
  auto array = Array(TYPE_I32, {10});
  array->SetParent(&structure);
  MarkReference(*array, 1);
  EXPECT_EQ(array->GetSize(), 40u);
  EXPECT_EQ(array->GetSlotSize(), 8u);
  EXPECT_EQ(array->GetAlignment(), 8u);
}

TEST(ArrayTypeTest, SharesABuiltInElementTypeWithoutOwningIt) {
  Type* ui8 = BuiltInType(TYPE_UI8);
  {
    std::unique_ptr<ArrayType> array(MakeArray(ui8, {4}));
    EXPECT_EQ(array->GetSize(), 4u);
  }
  EXPECT_EQ(ui8->Parent(), nullptr);
  EXPECT_EQ(ui8->TypeId(), TYPE_UI8);
}

TEST(ArrayTypeTest, SizeSaturatesInsteadOfWrapping) {
  auto array = Array(TYPE_I64, {65536, 65536});
  EXPECT_EQ(array->GetSize(), 0xFFFFFFFFu);
}

TEST(ArrayTypeTest, NameListsElementAndDimensions) {
  SymbolStore symbols;
  EXPECT_EQ(Array(TYPE_UI8, {16})->GetName(symbols), "array<ui8,16>");
  EXPECT_EQ(Array(TYPE_I32, {4, 3})->GetName(symbols), "array<i32,4,3>");
  EXPECT_EQ(Array(TYPE_UI8, {})->GetName(symbols), "array<ui8>");
  EXPECT_EQ(Array(TYPE_I32, {2}, 1)->GetName(symbols), "array<i32@,2>");
  auto reference = Array(TYPE_STRING, {});
  MarkReference(*reference, 1);
  EXPECT_EQ(reference->GetName(symbols), "array<string>@");
  auto nested = Array(TYPE_UI8, {3});
  std::unique_ptr<ArrayType> outer(MakeArray(nested.release(), {2}));
  EXPECT_EQ(outer->GetName(symbols), "array<array<ui8,3>,2>");
}

TEST(ArrayTypeTest, SamenessAndCompatibility) {
  auto mine = Array(TYPE_I32, {4});
  const struct {
    const char* what;
    std::unique_ptr<ArrayType> other;
    bool compatible;
    bool same;
  } cases[] = {
      {"same", Array(TYPE_I32, {4}), true, true},
      {"other signedness", Array(TYPE_UI32, {4}), true, true},
      {"other count", Array(TYPE_I32, {5}), true, false},
      {"same size, other shape", Array(TYPE_I32, {2, 2}), true, true},
      {"dynamic", Array(TYPE_I32, {}), true, true},
      {"other element", Array(TYPE_I64, {4}), false, false},
      {"reference elements", Array(TYPE_I32, {4}, 1), false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(mine->IsCompatible(c.other.get()), c.compatible) << c.what;
    EXPECT_EQ(mine->IsSameType(c.other.get()), c.same) << c.what;
    EXPECT_EQ(c.other->IsSameType(mine.get()), c.same) << c.what;
  }
  Type i32(TYPE_I32, {}, nullptr);
  EXPECT_FALSE(mine->IsCompatible(&i32));
  EXPECT_FALSE(i32.IsCompatible(mine.get()));
}

TEST(ArrayTypeTest, WritesElementAndDimensionTokens) {
  // array<i32,+4,3> a; in a scope: the dimensions are written from their tokens.
  StubNode scope(TYPE_SCOPE);
  auto* array = new ArrayType(SourcePosition{76}, &scope);
  scope.SetLeft(array);
  array->SetElementType(new Type(TYPE_I32, SourcePosition{53}, nullptr));
  const uint32_t first[] = {9, 100};
  const uint32_t second[] = {101};
  array->AddDimension(4, first);
  array->AddDimension(3, second);
  test::Declare(array, {90});
  RecordingSerializer fixed;
  array->Serialize(&fixed);
  EXPECT_EQ(fixed.Text(), "<101 <28 <82 <55 s9 s100 <55 s101 >32 <96 <2 s90 >2");

  // array<ui8, n> b; the dimension expression instead of the tokens.
  auto* dynamic = new ArrayType(SourcePosition{76}, &scope);
  scope.SetRight(dynamic);
  dynamic->SetElementType(new Type(TYPE_UI8, SourcePosition{50}, nullptr));
  dynamic->SetDimensionExpression(new StubNode(TYPE_TOKEN, nullptr, SourcePosition{91}));
  EXPECT_EQ(dynamic->DimensionExpression()->Parent(), dynamic);
  RecordingSerializer sized;
  dynamic->Serialize(&sized);
  EXPECT_EQ(sized.Text(), "<101 <28 <79 <55 <2 s91 >2 >32");
  EXPECT_EQ(dynamic->GetSize(), 0u);
}

TEST(ArrayTypeTest, UnsafeElementIsTraced) {
  auto array = Array(TYPE_STRING, {2});
  Error error;
  std::vector<SourcePosition> trace;
  EXPECT_FALSE(array->IsSafeType(&error, trace));
  ASSERT_EQ(trace.size(), 2u);
  EXPECT_EQ(trace[0], array->ElementType()->Position());
  EXPECT_EQ(trace[1], array->Position());
  trace.clear();
  EXPECT_TRUE(Array(TYPE_DOUBLE, {2})->IsSafeType(&error, trace));
  EXPECT_TRUE(trace.empty());
}

// A function reference type with entries of basic types (null for absent).
std::unique_ptr<FunctionRefType> FunctionRef(uint32_t symbol, std::vector<Type*> entries, Node* parent = nullptr) {
  auto type = std::make_unique<FunctionRefType>(SourcePosition{symbol}, parent);
  for (Type* entry : entries) type->AddEntry(entry, entry != nullptr ? entry->Position() : SourcePosition{});
  return type;
}

TEST(FunctionRefTypeTest, IsAnAddressWithKindFunctionReference) {
  FunctionRefType type({}, nullptr);
  EXPECT_EQ(type.GetSize(), 8u);
  EXPECT_EQ(type.GetSlotSize(), 8u);
  EXPECT_EQ(type.GetAlignment(), 8u);
  EXPECT_EQ(type.GetKind(), KIND_FUNCTION_REF);
  EXPECT_EQ(type.ReturnType(), nullptr);
}

TEST(FunctionRefTypeTest, SamenessComparesEveryEntry) {
  Type i32(TYPE_I32, {}, nullptr);
  Type ui32(TYPE_UI32, {}, nullptr);
  Type i8(TYPE_I8, {}, nullptr);
  Type i8ref(TYPE_I8, {}, nullptr);
  MarkReference(i8ref, 1);
  Type string(TYPE_STRING, {}, nullptr);
  auto mine = FunctionRef(90, {&i32, &i8, &string});
  const struct {
    const char* what;
    std::vector<Type*> entries;
    bool same;
  } cases[] = {
      {"same entries", {&i32, &i8, &string}, true},
      {"same widths", {&ui32, &i8, &string}, true},
      {"argument by reference", {&i32, &i8ref, &string}, false},
      {"other argument", {&i32, &i32, &string}, false},
      {"fewer arguments", {&i32, &i8}, false},
      {"absent return type", {nullptr, &i8, &string}, false},
  };
  for (const auto& c : cases) {
    auto other = FunctionRef(91, c.entries);
    EXPECT_EQ(mine->IsSameType(other.get()), c.same) << c.what;
    EXPECT_EQ(other->IsSameType(mine.get()), c.same) << c.what;
    EXPECT_EQ(mine->IsCompatible(other.get()), c.same) << c.what;
  }
  auto absent = FunctionRef(92, {nullptr});
  EXPECT_TRUE(absent->IsSameType(FunctionRef(93, {nullptr}).get()));
  EXPECT_FALSE(mine->IsSameType(&i32));
}

TEST(FunctionRefTypeTest, NameNamesThePrototype) {
  SymbolStore symbols;
  const uint32_t cube = symbols.InternSymbol("cube");
  auto plain = FunctionRef(cube, {});
  EXPECT_EQ(plain->GetName(symbols), "function<cube>");
  MarkReference(*plain, 1);
  EXPECT_EQ(plain->GetName(symbols), "function<cube>@");

  // Below a library: the declaration's signature. The library owns the entries.
  StubNode library(TYPE_LIB);
  const uint32_t f = symbols.InternSymbol("f");
  auto* argument = new Type(TYPE_STRING, SourcePosition{59}, nullptr);
  MarkReference(*argument, 1);
  auto declared = FunctionRef(f, {new Type(TYPE_I32, SourcePosition{53}, nullptr),
                                  new Type(TYPE_I8, SourcePosition{49}, nullptr), argument},
                              &library);
  EXPECT_EQ(declared->GetName(symbols), "i32 f(i8 ,string@)");
  auto noArguments = FunctionRef(symbols.InternSymbol("getpid"), {new Type(TYPE_I32, SourcePosition{53}, nullptr)},
                                 &library);
  EXPECT_EQ(noArguments->GetName(symbols), "i32 getpid()");
}

TEST(FunctionRefTypeTest, OwnsItsEntriesAsItsParentDecides) {
  const struct {
    int32_t parentId;
    std::size_t owned;
  } cases[] = {{TYPE_FUNCTION, 1}, {TYPE_SIZEOF, 1}, {TYPE_STR2WARR, 1}, {TYPE_CAST, 1},
               {TYPE_LOCK, 0},     {TYPE_LIB, 3},    {TYPE_SCOPE, 0}};
  for (const auto& c : cases) {
    Memory heap;
    Memory::NodeRegistration registration(heap);
    StubNode parent(c.parentId);
    std::vector<Type*> entries = {new Type(TYPE_I32, {}, nullptr), new Type(TYPE_I8, {}, nullptr),
                                  new Type(TYPE_I16, {}, nullptr)};
    const std::size_t before = heap.LiveNodeCount();
    FunctionRef(90, entries, &parent).reset();
    EXPECT_EQ(heap.LiveNodeCount(), before - c.owned) << NodeTypeName(c.parentId);
    for (std::size_t i = c.owned; i < entries.size(); ++i) delete entries[i];
  }
}

TEST(FunctionRefTypeTest, ChecksReturnThenArgumentTypes) {
  Type i32(TYPE_I32, {}, nullptr);
  Type string(TYPE_STRING, SourcePosition{59, 0, 4, 2}, nullptr);
  auto type = FunctionRef(90, {&i32, &i32, &string});
  Error error;
  std::vector<SourcePosition> trace;
  EXPECT_FALSE(type->IsSafeType(&error, trace));
  const std::vector<SourcePosition> expected = {string.Position(), type->Position()};
  EXPECT_EQ(trace, expected);
  trace.clear();
  EXPECT_TRUE(FunctionRef(91, {nullptr, &i32})->IsSafeType(&error, trace));
}

TEST(FunctionRefTypeTest, WritesKeywordAndPrototypeName) {
  StubNode scope(TYPE_SCOPE);
  auto type = FunctionRef(90, {}, &scope);
  test::Declare(type.get(), {91});
  RecordingSerializer out;
  type->Serialize(&out);
  EXPECT_EQ(out.Text(), "<75 <28 s90 >32 <96 <2 s91 >2");
}

}  // namespace
}  // namespace script
