// What types do with values in heap blocks: copying, locating an item by
// path, and walking members.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Memory/ClearMemoryHandler.h"
#include "Script/Memory/DestroyMemoryHandler.h"
#include "Script/Memory/Memory.h"
#include "tests/types/TypeBuilders.h"

namespace script {
namespace {

using test::AddMember;
using test::MakeArray;
using test::MarkReference;
using test::OffsetOf;

class TypeStorageTest : public ::testing::Test {
 protected:
  TypeStorageTest() {
    heap_.SetClearHandler(std::make_unique<ClearMemoryHandler>(&heap_));
    heap_.SetDestroyHandler(std::make_unique<DestroyMemoryHandler>(&heap_));
  }
  ~TypeStorageTest() override {
    for (MemoryBlock* block : blocks_) block->Release();
  }

  // Keeps a type alive until the blocks that use it are gone.
  template <class T>
  T* Keep(T* type) {
    types_.emplace_back(type);
    return type;
  }
  Type* Basic(int32_t id) { return Keep(new Type(id, {}, nullptr)); }
  // A block released at the end of the test.
  MemoryBlock* Block(Type* type, uint32_t size) {
    MemoryBlock* block = heap_.NewOwnedBlock(type, size);
    blocks_.push_back(block);
    return block;
  }
  MemoryBlock* Block(Type* type) { return Block(type, type->GetSize()); }
  template <class T>
  static T& At(MemoryBlock* block, uint32_t offset) {
    return *reinterpret_cast<T*>(block->Data() + offset);
  }
  // Points a reference cell at the object at pointee data + offset; the cell
  // holds a count on the pointee, as the heap's cells do.
  void PointCell(MemoryBlock* holder, uint32_t cellOffset, MemoryBlock* pointee, uint32_t offset = 0) {
    heap_.EnsureMapped(pointee);
    pointee->AddRef();
    void* address = pointee->Data() + offset;
    std::memcpy(holder->Data() + cellOffset, &address, sizeof address);
  }
  static void* Cell(MemoryBlock* holder, uint32_t cellOffset) {
    void* address = nullptr;
    std::memcpy(&address, holder->Data() + cellOffset, sizeof address);
    return address;
  }

  Memory heap_;
  std::vector<std::unique_ptr<Type>> types_;
  std::vector<MemoryBlock*> blocks_;
};

TEST_F(TypeStorageTest, BasicValueCopiesItsBytes) {
  for (int32_t id = TYPE_BOOL; id <= TYPE_DOUBLE; ++id) {
    Type* type = Basic(id);
    MemoryBlock* source = Block(type, 16);
    MemoryBlock* target = Block(type, 16);
    for (uint32_t i = 0; i < 16; ++i) At<uint8_t>(source, i) = static_cast<uint8_t>(0xA0 + i);
    type->CopyValue(heap_, target, 8, source, 4);
    for (uint32_t i = 0; i < 16; ++i) {
      const bool copied = i >= 8 && i < 8 + type->GetSize();
      EXPECT_EQ(At<uint8_t>(target, i), copied ? 0xA0 + i - 4 : 0) << NodeTypeName(id) << " byte " << i;
    }
  }
  // A value that does not fit behind the offset is not copied.
  Type* i64 = Basic(TYPE_I64);
  MemoryBlock* small = Block(i64, 12);
  MemoryBlock* source = Block(i64, 8);
  At<int64_t>(source, 0) = -1;
  i64->CopyValue(heap_, small, 8, source, 0);
  EXPECT_EQ(At<uint32_t>(small, 8), 0u);
}

TEST_F(TypeStorageTest, StringCopiesItsCharacters) {
  Type* string = Basic(TYPE_STRING);
  MemoryBlock* source = Block(string);
  MemoryBlock* target = Block(string);
  At<std::string>(source, 0) = "a text longer than any small-string buffer";
  string->CopyValue(heap_, target, 0, source, 0);
  At<std::string>(source, 0)[0] = 'A';
  EXPECT_EQ(At<std::string>(target, 0), "a text longer than any small-string buffer");
}

TEST_F(TypeStorageTest, StructureCopiesMemberByMember) {
  auto* structure = Keep(new AggregateType({}, nullptr));
  AddMember(*structure, TYPE_I32, 0, {90});
  Type* text = AddMember(*structure, TYPE_STRING, 0, {91});
  ASSERT_TRUE(structure->ComputeLayout());
  const uint32_t textOffset = OffsetOf(*text, 0);
  MemoryBlock* source = Block(structure);
  MemoryBlock* target = Block(structure);
  At<int32_t>(source, 0) = 42;
  At<std::string>(source, textOffset) = "member text that needs its own buffer";
  structure->CopyValue(heap_, target, 0, source, 0);
  At<std::string>(source, textOffset).clear();
  EXPECT_EQ(At<int32_t>(target, 0), 42);
  EXPECT_EQ(At<std::string>(target, textOffset), "member text that needs its own buffer");
}

TEST_F(TypeStorageTest, ArrayCopiesAsManyElementsAsBothBlocksHold) {
  auto* array = Keep(MakeArray(new Type(TYPE_I32, {}, nullptr), {}));
  const struct {
    uint32_t sourceElements;
    uint32_t targetElements;
  } cases[] = {{5, 3}, {3, 5}, {4, 4}};
  for (const auto& c : cases) {
    MemoryBlock* source = Block(array, 4 * c.sourceElements);
    MemoryBlock* target = Block(array, 4 * c.targetElements);
    for (uint32_t i = 0; i < c.sourceElements; ++i) At<int32_t>(source, 4 * i) = static_cast<int32_t>(i + 1);
    for (uint32_t i = 0; i < c.targetElements; ++i) At<int32_t>(target, 4 * i) = -1;
    array->CopyValue(heap_, target, 0, source, 0);
    for (uint32_t i = 0; i < c.targetElements; ++i) {
      EXPECT_EQ(At<int32_t>(target, 4 * i), i < c.sourceElements ? static_cast<int32_t>(i + 1) : -1);
    }
  }
  // Strings are copied one by one.
  auto* strings = Keep(MakeArray(new Type(TYPE_STRING, {}, nullptr), {2}));
  MemoryBlock* source = Block(strings);
  MemoryBlock* target = Block(strings);
  At<std::string>(source, sizeof(std::string)) = "second";
  strings->CopyValue(heap_, target, 0, source, 0);
  EXPECT_EQ(At<std::string>(target, 0), "");
  EXPECT_EQ(At<std::string>(target, sizeof(std::string)), "second");
}

TEST_F(TypeStorageTest, FixedArrayMemberCopiesNoMoreThanItsElements) {
  // struct { array<i8,4> a; i32 b; }: copying the array leaves b alone.
  auto* structure = Keep(new AggregateType({}, nullptr));
  ArrayType* array = MakeArray(new Type(TYPE_I8, {}, nullptr), {4}, structure);
  structure->AddMember(array);
  test::Declare(array, {90});
  AddMember(*structure, TYPE_I32, 0, {91});
  ASSERT_TRUE(structure->ComputeLayout());
  MemoryBlock* source = Block(structure);
  MemoryBlock* target = Block(structure);
  At<uint32_t>(source, 0) = 0x04030201;
  At<int32_t>(source, 4) = 7;
  array->CopyValue(heap_, target, 0, source, 0);
  EXPECT_EQ(At<uint32_t>(target, 0), 0x04030201u);
  EXPECT_EQ(At<int32_t>(target, 4), 0);
}

TEST_F(TypeStorageTest, ReferenceMemberCopiesTheReferencedObject) {
  // struct { i32@ r; i32 v; }
  auto* structure = Keep(new AggregateType({}, nullptr));
  Type* reference = AddMember(*structure, TYPE_I32, 1, {90});
  AddMember(*structure, TYPE_I32, 0, {91});
  ASSERT_TRUE(structure->ComputeLayout());
  ASSERT_EQ(structure->GetSize(), 16u);
  Type* i32 = Basic(TYPE_I32);
  {
    MemoryBlock* pointee = Block(i32);
    At<int32_t>(pointee, 0) = 7;
    MemoryBlock* source = Block(structure);
    PointCell(source, 0, pointee);
    At<int32_t>(source, 8) = 3;
    MemoryBlock* target = Block(structure);

    structure->CopyValue(heap_, target, 0, source, 0);
    void* copied = Cell(target, 0);
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, Cell(source, 0));
    EXPECT_EQ(*static_cast<int32_t*>(copied), 7);
    EXPECT_EQ(At<int32_t>(target, 8), 3);

    // The target keeps its own object: a later copy writes into it.
    At<int32_t>(pointee, 0) = 9;
    structure->CopyValue(heap_, target, 0, source, 0);
    EXPECT_EQ(Cell(target, 0), copied);
    EXPECT_EQ(*static_cast<int32_t*>(copied), 9);

    // A null source cell clears the target's object.
    MemoryBlock* empty = Block(structure);
    structure->CopyValue(heap_, target, 0, empty, 0);
    EXPECT_EQ(Cell(target, 0), copied);
    EXPECT_EQ(*static_cast<int32_t*>(copied), 0);
    // Both cells null: nothing to do.
    MemoryBlock* alsoEmpty = Block(structure);
    structure->CopyValue(heap_, alsoEmpty, 0, empty, 0);
    EXPECT_EQ(Cell(alsoEmpty, 0), nullptr);
  }
  EXPECT_EQ(reference->GetSlotSize(), 8u);
  for (MemoryBlock* block : blocks_) block->Release();
  blocks_.clear();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u) << "every referenced object is released with its holder";
}

class TypePathTest : public TypeStorageTest {
 protected:
  // struct S { i8 a; i32 b, c; array<i16,3> d; i64@ r; }, the second element
  // of an array<S,2>: at offset 32 of its block.
  TypePathTest() {
    structure_ = Keep(new AggregateType({}, nullptr));
    AddMember(*structure_, TYPE_I8, 0, {90});
    AddMember(*structure_, TYPE_I32, 0, {91, 92});
    ArrayType* array = MakeArray(new Type(TYPE_I16, {}, nullptr), {3}, structure_);
    structure_->AddMember(array);
    test::Declare(array, {93});
    AddMember(*structure_, TYPE_I64, 1, {94});
    EXPECT_TRUE(structure_->ComputeLayout());
    EXPECT_EQ(structure_->GetSize(), 32u);
    block_ = Block(Keep(MakeArray(test::UseStructure(*structure_, nullptr), {2})));
    pointee_ = Block(Basic(TYPE_I64), 16);
  }

  // The offset the path leads to: in the structure's block, or (with a
  // leading '*') in the pointee's; "null" when it leads nowhere.
  std::string Resolve(const char* path) {
    uint32_t offset = 0;
    MemoryBlock* found = structure_->ResolvePath(heap_, path, block_, 32, offset);
    if (found == nullptr) return "null";
    std::string where = (found == pointee_ ? "*" : found == block_ ? "" : "?") + std::to_string(offset);
    found->Release();
    return where;
  }

  AggregateType* structure_;
  MemoryBlock* block_;
  MemoryBlock* pointee_;
};

TEST_F(TypePathTest, PathSelectsDeclarationVariableAndElement) {
  PointCell(block_, 32 + 24, pointee_, 8);
  const struct {
    const char* path;
    const char* where;
  } cases[] = {
      {"", "32"},         {"0_0", "32"},     {"1_0", "36"},   {"1_1", "40"},     {"2_0", "44"},
      {"2_0_0", "44"},    {"2_0_2", "48"},   {"2_0_3", "null"}, {"3_0", "*8"},  {"1_2", "null"},
      {"4_0", "null"},    {"1", "null"},     {"x", "null"},   {"1__0", "null"}, {"1_0_", "null"},
      {"-1_0", "null"},   {"1_0_0", "null"}, {"99999999999_0", "null"},
  };
  for (const auto& c : cases) EXPECT_EQ(Resolve(c.path), c.where) << c.path;
  EXPECT_EQ(block_->Holders(), 1u);
  EXPECT_EQ(pointee_->Holders(), 2u);
}

TEST_F(TypePathTest, NullReferenceLeadsNowhere) { EXPECT_EQ(Resolve("3_0"), "null"); }

TEST_F(TypeStorageTest, DynamicArrayPathIsBoundedByTheBlock) {
  auto* array = Keep(MakeArray(new Type(TYPE_I32, {}, nullptr), {}));
  MemoryBlock* block = Block(array, 20);
  const struct {
    uint32_t offset;
    const char* path;
    int64_t expected;  // -1 for null
  } cases[] = {{0, "4", 16}, {0, "5", -1}, {8, "2", 16}, {8, "3", -1}, {24, "0", -1}};
  for (const auto& c : cases) {
    uint32_t offset = 0;
    MemoryBlock* found = array->ResolvePath(heap_, c.path, block, c.offset, offset);
    EXPECT_EQ(found == nullptr ? -1 : int64_t{offset}, c.expected) << c.offset << " " << c.path;
    if (found != nullptr) found->Release();
  }
}

struct VisitRecord {
  bool pointerFlag;
  int32_t typeId;
  uint32_t offset;
  bool operator==(const VisitRecord&) const = default;
};

class RecordingVisitor final : public InstanceHandler {
 public:
  explicit RecordingVisitor(Memory* heap) : InstanceHandler(heap) {}
  void Visit(bool pointerFlag, Type* type, MemoryBlock*, uint32_t offset) override {
    visits.push_back({pointerFlag, type->TypeId(), offset});
  }
  std::vector<VisitRecord> visits;
};

TEST_F(TypeStorageTest, VisitorSeesEveryMemberAndElement) {
  // struct { i8 a; string@ s; array<i32,2> d; }
  auto* structure = Keep(new AggregateType({}, nullptr));
  AddMember(*structure, TYPE_I8, 0, {90});
  AddMember(*structure, TYPE_STRING, 1, {91});
  ArrayType* array = MakeArray(new Type(TYPE_I32, {}, nullptr), {2}, structure);
  structure->AddMember(array);
  test::Declare(array, {92});
  ASSERT_TRUE(structure->ComputeLayout());
  MemoryBlock* block = Block(structure, 64);

  RecordingVisitor members(&heap_);
  structure->VisitMembers(members, block, 4);
  const std::vector<VisitRecord> expectedMembers = {
      {false, TYPE_I8, 4}, {true, TYPE_STRING, 12}, {false, TYPE_ARRAY, 20}};
  EXPECT_EQ(members.visits, expectedMembers);

  RecordingVisitor elements(&heap_);
  array->VisitMembers(elements, block, 20);
  const std::vector<VisitRecord> expectedElements = {{false, TYPE_I32, 20}, {false, TYPE_I32, 24}};
  EXPECT_EQ(elements.visits, expectedElements);

  RecordingVisitor none(&heap_);
  Basic(TYPE_STRING)->VisitMembers(none, block, 0);
  EXPECT_TRUE(none.visits.empty());
}

}  // namespace
}  // namespace script
