// Block and reference lifetimes: the release rule, the LOCKED bit, zero-filled
// owned data, registries, and release from several threads.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"
#include "tests/memory/RecordingDestroyHandler.h"

namespace script {
namespace {

class MemoryBlockTest : public ::testing::Test {
 protected:
  MemoryBlockTest() { heap_.SetDestroyHandler(std::make_unique<test::RecordingDestroyHandler>(&heap_, &visits_)); }

  Memory heap_;
  std::vector<test::DestroyVisit> visits_;
  Type i32_{TYPE_I32, {}, nullptr};
  Type string_{TYPE_STRING, {}, nullptr};
};

TEST_F(MemoryBlockTest, OwnedRefStartsWithOneCountAndZeroedData) {
  MemoryBlockRef* ref = heap_.NewOwnedRef(&i32_, 64);
  ASSERT_NE(ref, nullptr);
  MemoryBlock* block = ref->Block();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(ref->RefCount(), 1u);
  EXPECT_EQ(ref->Offset(), 0u);
  EXPECT_EQ(block->CountWord(), 1u);
  EXPECT_EQ(block->Flags(), 0u);
  EXPECT_EQ(block->Size(), 64u);
  EXPECT_EQ(block->GetType(), &i32_);
  EXPECT_EQ(ref->Data(), block->Data());
  EXPECT_EQ(reinterpret_cast<uintptr_t>(block->Data()) % 16, 0u);
  for (uint32_t i = 0; i < 64; ++i) EXPECT_EQ(block->Data()[i], 0) << i;
  EXPECT_EQ(heap_.LiveRefCount(), 1u);
  EXPECT_EQ(heap_.LiveBlockCount(), 1u);
  ref->Release();
  EXPECT_EQ(heap_.LiveRefCount(), 0u);
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST_F(MemoryBlockTest, RecycledStorageIsZeroedAgain) {
  for (int round = 0; round < 3; ++round) {
    MemoryBlockRef* ref = heap_.NewOwnedRef(&i32_, 24);
    for (uint32_t i = 0; i < 24; ++i) ASSERT_EQ(ref->Data()[i], 0) << "round " << round << " byte " << i;
    std::memset(ref->Data(), 0xAB, 24);
    ref->Release();
  }
}

TEST_F(MemoryBlockTest, OnlyTheReleaseFromOneDestroysTheBlock) {
  MemoryBlock* block = heap_.NewOwnedBlock(&i32_, 4);
  block->AddRef();
  block->AddRef();
  block->Release();
  block->Release();
  EXPECT_TRUE(visits_.empty());
  EXPECT_EQ(heap_.LiveBlockCount(), 1u);
  block->Release();
  ASSERT_EQ(visits_.size(), 1u);
  EXPECT_FALSE(visits_[0].pointerFlag);
  EXPECT_EQ(visits_[0].type, &i32_);
  EXPECT_EQ(visits_[0].block, block);
  EXPECT_EQ(visits_[0].offset, 0u);
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST_F(MemoryBlockTest, ReferenceHoldsItsBlockUntilItsOwnCountEnds) {
  MemoryBlock* block = heap_.NewOwnedBlock(&i32_, 8);
  MemoryBlockRef* ref = heap_.NewRef(&i32_, block, 4);
  EXPECT_EQ(block->Holders(), 2u);
  EXPECT_EQ(heap_.LiveBlocks(), std::vector<const MemoryBlock*>{block}) << "registered once";
  EXPECT_EQ(heap_.LiveRefs(), std::vector<const MemoryBlockRef*>{ref});
  EXPECT_EQ(ref->Data(), block->Data() + 4);
  block->Release();  // the creator's count
  ref->AddRef();
  ref->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 1u);
  ref->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
  EXPECT_EQ(heap_.LiveRefCount(), 0u);
}

TEST_F(MemoryBlockTest, LockedBlockOutlivesItsHolders) {
  MemoryBlockRef* ref = heap_.NewOwnedRef(&i32_, 4);
  MemoryBlock* block = ref->Block();
  block->Lock();
  EXPECT_TRUE(block->IsLocked());
  EXPECT_EQ(block->CountWord(), MemoryBlock::LOCKED | 1u);
  ref->Release();
  EXPECT_TRUE(visits_.empty());
  EXPECT_EQ(heap_.LiveBlockCount(), 1u);
  EXPECT_EQ(block->Holders(), 0u);
  // Unlocked and held and released once more, it goes.
  block->Unlock();
  block->AddRef();
  block->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST_F(MemoryBlockTest, ReleasingLockedBlocksFreesThoseNothingElseHolds) {
  MemoryBlockRef* orphan = heap_.NewOwnedRef(&i32_, 4);
  MemoryBlockRef* held = heap_.NewOwnedRef(&i32_, 4);
  MemoryBlockRef* free = heap_.NewOwnedRef(&i32_, 4);
  orphan->Block()->Lock();
  held->Block()->Lock();
  orphan->Release();
  ASSERT_EQ(heap_.LiveBlockCount(), 3u);

  heap_.ReleaseLockedBlocks();
  EXPECT_EQ(heap_.LiveBlockCount(), 2u) << "the orphan goes";
  EXPECT_EQ(visits_.size(), 1u);
  EXPECT_FALSE(held->Block()->IsLocked());
  EXPECT_EQ(held->Block()->CountWord(), 1u) << "a held block is only unlocked";
  held->Release();
  free->Release();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST_F(MemoryBlockTest, StringStorageIsAValidEmptyString) {
  MemoryBlockRef* ref = heap_.NewOwnedRef(&string_, sizeof(std::string));
  auto* text = reinterpret_cast<std::string*>(ref->Data());
  EXPECT_TRUE(text->empty());
  text->assign(100, 'x');  // heap-allocated characters, freed by the destroy visit
  ref->Release();
  EXPECT_EQ(visits_.size(), 1u);
}

TEST_F(MemoryBlockTest, RegistriesListLiveObjectsInAddressOrder) {
  std::vector<MemoryBlockRef*> refs;
  for (int i = 0; i < 20; ++i) refs.push_back(heap_.NewOwnedRef(&i32_, 4));
  refs[3]->Release();
  refs[11]->Release();
  std::vector<const MemoryBlockRef*> live = heap_.LiveRefs();
  std::vector<const MemoryBlock*> blocks = heap_.LiveBlocks();
  EXPECT_EQ(live.size(), 18u);
  EXPECT_EQ(blocks.size(), 18u);
  EXPECT_TRUE(std::is_sorted(live.begin(), live.end(), std::less<const MemoryBlockRef*>()));
  EXPECT_TRUE(std::is_sorted(blocks.begin(), blocks.end(), std::less<const MemoryBlock*>()));
  for (size_t i = 0; i < refs.size(); ++i) {
    if (i != 3 && i != 11) refs[i]->Release();
  }
  EXPECT_EQ(heap_.LiveRefCount(), 0u);
}

TEST_F(MemoryBlockTest, CountsStayExactUnderThreads) {
  MemoryBlockRef* shared = heap_.NewOwnedRef(&i32_, 4);
  constexpr int kThreads = 4;
  constexpr int kRounds = 2000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        shared->AddRef();
        MemoryBlockRef* inner = heap_.NewRef(&i32_, shared->Block(), 0);
        MemoryBlockRef* own = heap_.NewOwnedRef(&i32_, 16);
        inner->Release();
        own->Release();
        shared->Release();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(shared->RefCount(), 1u);
  EXPECT_EQ(shared->Block()->CountWord(), 1u);
  EXPECT_EQ(heap_.LiveRefCount(), 1u);
  EXPECT_EQ(heap_.LiveBlockCount(), 1u);
  shared->Release();
}

TEST_F(MemoryBlockTest, BlockFreedOnAnotherThreadThanItsCreator) {
  MemoryBlockRef* ref = heap_.NewOwnedRef(&i32_, 40);
  std::thread([ref] { ref->Release(); }).join();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST(MemoryLifetimeTest, ReferencesOutlivingTheHeapReleaseSafely) {
  Type i32(TYPE_I32, {}, nullptr);
  MemoryBlockRef* ref = nullptr;
  {
    Memory heap;
    ref = heap.NewOwnedRef(&i32, 4);
  }
  EXPECT_EQ(ref->Heap(), nullptr);
  EXPECT_EQ(ref->Block()->Heap(), nullptr);
  ref->Release();
}

}  // namespace
}  // namespace script
