// The address map: FindBlock over foreign and owned ranges (end address
// included), pointer resolution and references at addresses.
#include <gtest/gtest.h>

#include <cstring>

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"

namespace script {
namespace {

class AddressMapTest : public ::testing::Test {
 protected:
  // The pointer cell at a block's data + offset.
  static void* Cell(MemoryBlock* block, uint32_t offset) {
    void* address = nullptr;
    std::memcpy(&address, block->Data() + offset, sizeof address);
    return address;
  }
  static void SetCell(MemoryBlock* block, uint32_t offset, const void* address) {
    std::memcpy(block->Data() + offset, &address, sizeof address);
  }

  Memory heap_;
  Type i32_{TYPE_I32, {}, nullptr};
  Type double_{TYPE_DOUBLE, {}, nullptr};
  alignas(16) uint8_t native_[64] = {};
};

TEST_F(AddressMapTest, ForeignBlockIsFoundForEveryAddressOfItsRangeAndItsEnd) {
  MemoryBlockRef* ref = heap_.WrapForeignRef(&i32_, native_ + 16, 16);
  MemoryBlock* block = ref->Block();
  EXPECT_EQ(block->Flags(), MemoryBlock::BLOCK_FOREIGN | MemoryBlock::BLOCK_MAPPED);
  EXPECT_EQ(block->Data(), native_ + 16);
  struct Case {
    int offset;
    bool found;
  };
  const Case cases[] = {{15, false}, {16, true}, {17, true}, {31, true}, {32, true}, {33, false}};
  for (const Case& c : cases) {
    MemoryBlock* found = heap_.FindBlock(native_ + c.offset);
    EXPECT_EQ(found, c.found ? block : nullptr) << "offset " << c.offset;
    if (found != nullptr) {
      EXPECT_EQ(found->Holders(), 2u) << "the lookup adds a count";
      found->Release();
    }
  }
  ref->Release();
  EXPECT_EQ(heap_.FindBlock(native_ + 20), nullptr) << "a freed block leaves the map";
  EXPECT_EQ(native_[16], 0) << "foreign data is never written";
}

TEST_F(AddressMapTest, SharedBoundaryBelongsToTheBlockThatEndsThere) {
  MemoryBlockRef* low = heap_.WrapForeignRef(&i32_, native_, 8);
  MemoryBlockRef* high = heap_.WrapForeignRef(&i32_, native_ + 8, 8);
  MemoryBlock* found = heap_.FindBlock(native_ + 8);
  EXPECT_EQ(found, low->Block());
  found->Release();
  found = heap_.FindBlock(native_ + 9);
  EXPECT_EQ(found, high->Block());
  found->Release();
  low->Release();
  found = heap_.FindBlock(native_ + 8);
  EXPECT_EQ(found, high->Block());
  found->Release();
  high->Release();
}

TEST_F(AddressMapTest, OwnedBlocksAreFoundOnlyOnceMapped) {
  MemoryBlockRef* ref = heap_.NewOwnedRef(&i32_, 32);
  MemoryBlock* block = ref->Block();
  EXPECT_EQ(heap_.FindBlock(block->Data() + 4), nullptr);
  heap_.EnsureMapped(block);
  heap_.EnsureMapped(block);
  EXPECT_TRUE(block->IsMapped());
  MemoryBlock* found = heap_.FindBlock(block->Data() + 4);
  EXPECT_EQ(found, block);
  found->Release();
  ref->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST_F(AddressMapTest, WrappingOneAddressTwiceKeepsBothEntries) {
  MemoryBlockRef* first = heap_.WrapForeignRef(&i32_, native_, 4);
  MemoryBlockRef* second = heap_.WrapForeignRef(&i32_, native_, 4);
  first->Release();
  MemoryBlock* found = heap_.FindBlock(native_);
  EXPECT_EQ(found, second->Block());
  found->Release();
  second->Release();
  EXPECT_EQ(heap_.FindBlock(native_), nullptr);
}

TEST_F(AddressMapTest, ResolvePointerOfANullOrOutsideCellGivesNothing) {
  MemoryBlockRef* holder = heap_.NewOwnedRef(&i32_, 16);
  uint32_t offset = 77;
  EXPECT_EQ(heap_.ResolvePointer(&i32_, holder->Block(), 8, offset), nullptr);
  EXPECT_EQ(offset, 0u);
  SetCell(holder->Block(), 8, native_);
  EXPECT_EQ(heap_.ResolvePointer(&i32_, holder->Block(), 9, offset), nullptr) << "cell past the data";
  EXPECT_EQ(heap_.ResolveOrAllocatePointee(&i32_, holder->Block(), 12, offset), nullptr);
  EXPECT_EQ(heap_.LiveBlockCount(), 1u);
  holder->Release();
}

TEST_F(AddressMapTest, ResolvePointerFindsTheBlockHoldingTheAddress) {
  MemoryBlockRef* holder = heap_.NewOwnedRef(&i32_, 16);
  MemoryBlockRef* target = heap_.NewOwnedRef(&double_, 24);
  heap_.EnsureMapped(target->Block());
  SetCell(holder->Block(), 8, target->Block()->Data() + 16);
  uint32_t offset = 0;
  MemoryBlock* found = heap_.ResolvePointer(&double_, holder->Block(), 8, offset);
  EXPECT_EQ(found, target->Block());
  EXPECT_EQ(offset, 16u);
  EXPECT_EQ(found->Holders(), 2u);
  found->Release();
  target->Release();
  holder->Release();
}

TEST_F(AddressMapTest, ResolvePointerWrapsAnUnknownAddressOnce) {
  MemoryBlockRef* holder = heap_.NewOwnedRef(&i32_, 8);
  SetCell(holder->Block(), 0, native_ + 8);
  uint32_t offset = 5;
  MemoryBlock* wrapped = heap_.ResolvePointer(&double_, holder->Block(), 0, offset);
  ASSERT_NE(wrapped, nullptr);
  EXPECT_EQ(offset, 0u);
  EXPECT_EQ(wrapped->Data(), native_ + 8);
  EXPECT_EQ(wrapped->Size(), 8u) << "the pointee type's size";
  EXPECT_EQ(wrapped->Flags(), MemoryBlock::BLOCK_FOREIGN | MemoryBlock::BLOCK_MAPPED);
  EXPECT_EQ(wrapped->Holders(), 2u) << "the caller's count and the cell's";
  MemoryBlock* again = heap_.ResolvePointer(&double_, holder->Block(), 0, offset);
  EXPECT_EQ(again, wrapped);
  EXPECT_EQ(wrapped->Holders(), 3u);
  again->Release();
  wrapped->Release();
  wrapped->Release();  // the cell's count, as the destroy visit drops it
  EXPECT_EQ(heap_.LiveBlockCount(), 1u);
  holder->Release();
}

TEST_F(AddressMapTest, ResolveOrAllocatePointeeFillsANullCell) {
  MemoryBlockRef* holder = heap_.NewOwnedRef(&i32_, 16);
  uint32_t offset = 9;
  MemoryBlock* pointee = heap_.ResolveOrAllocatePointee(&double_, holder->Block(), 8, offset);
  ASSERT_NE(pointee, nullptr);
  EXPECT_EQ(offset, 0u);
  EXPECT_EQ(Cell(holder->Block(), 8), pointee->Data());
  EXPECT_EQ(pointee->Flags(), MemoryBlock::BLOCK_MAPPED);
  EXPECT_EQ(pointee->Size(), 8u);
  EXPECT_EQ(pointee->Holders(), 2u);
  MemoryBlock* again = heap_.ResolveOrAllocatePointee(&double_, holder->Block(), 8, offset);
  EXPECT_EQ(again, pointee);
  again->Release();
  pointee->Release();
  pointee->Release();
  holder->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST_F(AddressMapTest, RefAtAddressPointsIntoTheHoldingBlock) {
  MemoryBlockRef* outer = heap_.WrapForeignRef(&i32_, native_, 32);
  MemoryBlockRef* inner = heap_.RefAtAddress(native_ + 12, &double_);
  EXPECT_EQ(inner->Block(), outer->Block());
  EXPECT_EQ(inner->Offset(), 12u);
  EXPECT_EQ(inner->GetType(), &double_);
  EXPECT_EQ(outer->Block()->Holders(), 2u) << "the lookup's count became the reference's";
  inner->Release();
  outer->Release();

  MemoryBlockRef* fresh = heap_.RefAtAddress(native_ + 40, &double_);
  EXPECT_EQ(fresh->Block()->Data(), native_ + 40);
  EXPECT_EQ(fresh->Block()->Size(), 8u);
  EXPECT_EQ(fresh->Block()->Holders(), 1u);
  EXPECT_TRUE(fresh->Block()->IsMapped());
  fresh->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
  EXPECT_EQ(heap_.LiveRefCount(), 0u);
}

TEST_F(AddressMapTest, RefAtAddressPassesABlockThatEndsWhereTheObjectBegins) {
  // Two objects side by side in native memory: the first one's block ends
  // at the second's address, which FindBlock matches, but cannot hold it.
  MemoryBlockRef* first = heap_.WrapForeignRef(&i32_, native_, 4);
  MemoryBlockRef* second = heap_.RefAtAddress(native_ + 4, &i32_);
  EXPECT_NE(second->Block(), first->Block());
  EXPECT_EQ(second->Block()->Data(), native_ + 4);
  EXPECT_EQ(second->Offset(), 0u);
  EXPECT_EQ(first->Block()->Holders(), 1u) << "the passed block's lookup count is given back";
  second->Release();
  first->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

}  // namespace
}  // namespace script
