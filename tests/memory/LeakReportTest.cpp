// The leak reports: exact lines, address order, the LOCKED mark, the NONE
// lines and the skipping of built-in types.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"
#include "tests/support/CaptureSink.h"

namespace script {
namespace {

std::string Hex(const void* address) {
  char text[24];
  std::snprintf(text, sizeof text, "%016" PRIXPTR, reinterpret_cast<uintptr_t>(address));
  return text;
}

const std::string kStars(40, '*');

class LeakReportTest : public ::testing::Test {
 protected:
  LeakReportTest() {
    heap_.SetSymbolStore(&symbols_);
    heap_.SetOutput(&sink_);
  }

  std::vector<std::string> Report() {
    sink_.Clear();
    heap_.DumpLeaks();
    return sink_.Lines(CHANNEL_RUN);
  }
  static std::vector<std::string> Frame(const std::vector<std::string>& refs, const std::vector<std::string>& blocks) {
    std::vector<std::string> lines{"\n\n**** Leaked Memory Block References ****\n"};
    lines.insert(lines.end(), refs.begin(), refs.end());
    lines.push_back(kStars);
    lines.push_back("**** Leaked Memory Blocks ****");
    lines.insert(lines.end(), blocks.begin(), blocks.end());
    lines.push_back(kStars);
    return lines;
  }

  SymbolStore symbols_;
  test::CaptureSink sink_;
  Memory heap_;
  Type point_{TYPE_AGGREGATE_TYPE, {symbols_.InternSymbol("Point"), 0, 3, 7}, nullptr};
};

TEST_F(LeakReportTest, NothingLiveReportsNoneTwice) { EXPECT_EQ(Report(), Frame({"NONE"}, {"NONE"})); }

TEST_F(LeakReportTest, ListsReferencesAndBlocksWithTheirTypes) {
  MemoryBlockRef* ref = heap_.NewOwnedRef(&point_, 12);
  ref->AddRef();
  const std::string refLine = "0x" + Hex(ref) + ", name: \"Point\", line: 3, pos: 7, memBlock: 0x" +
                              Hex(ref->Block()) + ", refCount: 2";
  const std::string blockLine = "0x" + Hex(ref->Block()) + ", name: \"Point\", line: 3, pos: 7, size: 12, refCount: 1";
  EXPECT_EQ(Report(), Frame({refLine}, {blockLine}));
  ref->Release();
  ref->Release();
}

TEST_F(LeakReportTest, LockedBlockWithoutHoldersIsMarked) {
  MemoryBlockRef* ref = heap_.NewOwnedRef(&point_, 12);
  MemoryBlock* block = ref->Block();
  block->Lock();
  ref->Release();
  EXPECT_EQ(Report(), Frame({"NONE"}, {"0x" + Hex(block) +
                                       ", name: \"Point\", line: 3, pos: 7, size: 12, refCount: 0 , LOCKED"}));
  block->Unlock();
  block->AddRef();
  block->Release();
}

TEST_F(LeakReportTest, LinesFollowAddressOrder) {
  std::vector<MemoryBlockRef*> refs;
  for (int i = 0; i < 6; ++i) refs.push_back(heap_.NewOwnedRef(&point_, 4));
  std::vector<std::string> lines = Report();
  std::vector<std::string> refLines(lines.begin() + 1, lines.begin() + 7);
  EXPECT_TRUE(std::is_sorted(refLines.begin(), refLines.end())) << "fixed-width hex sorts as text";
  std::vector<std::string> blockLines(lines.begin() + 9, lines.begin() + 15);
  EXPECT_TRUE(std::is_sorted(blockLines.begin(), blockLines.end()));
  for (MemoryBlockRef* ref : refs) ref->Release();
}

TEST_F(LeakReportTest, ReferenceWithoutBlockUsesItsOwnTypeAndUnknownSymbolsAreEmpty) {
  Type unnamed(TYPE_AGGREGATE_TYPE, {999999, 0, 1, 2}, nullptr);
  MemoryBlockRef* ref = heap_.NewRef(&unnamed, nullptr, 0);
  EXPECT_EQ(Report(), Frame({"0x" + Hex(ref) + ", name: \"\", line: 1, pos: 2, memBlock: 0x0000000000000000, refCount: 1"},
                            {"NONE"}));
  ref->Release();
}

TEST_F(LeakReportTest, BuiltInTypesAreSkippedAndTheSectionsSayNone) {
  MemoryBlockRef* number = heap_.NewOwnedRef(BuiltInType(TYPE_I32), 4);
  MemoryBlockRef* text = heap_.NewOwnedRef(BuiltInType(TYPE_DOUBLE), 8);
  // A reference to a member of a built-in block is skipped by its block's type.
  MemoryBlockRef* member = heap_.NewRef(&point_, number->Block(), 0);
  EXPECT_EQ(Report(), Frame({"NONE"}, {"NONE"}));
  member->Release();
  text->Release();
  number->Release();
}

TEST_F(LeakReportTest, LeakedObjectsListsTheNodesRegisteredWithTheHeap) {
  std::unique_ptr<Type> registered;
  {
    Memory::NodeRegistration registration(heap_);
    registered = std::make_unique<Type>(TYPE_AGGREGATE_TYPE, point_.Position(), nullptr);
  }
  Type unregistered(TYPE_I32, {}, nullptr);
  sink_.Clear();
  heap_.DumpLeakedObjects();
  EXPECT_EQ(sink_.Lines(CHANNEL_RUN),
            (std::vector<std::string>{"\n\n**** Leaked Objects ****\n",
                                      Hex(registered.get()) + " Point (l:3, p:7) : TYPE_AGGREGATE_TYPE",
                                      "************************\n"}));
  registered.reset();
  EXPECT_EQ(heap_.LiveNodeCount(), 0u);
}

TEST(LeakedObjectsTest, NoLiveNodeReportsNone) {
  test::CaptureSink sink;
  Memory heap;
  heap.SetOutput(&sink);
  heap.DumpLeakedObjects();
  EXPECT_EQ(sink.Lines(CHANNEL_RUN), (std::vector<std::string>{"\n\n**** Leaked Objects ****\n", "NONE\n",
                                                               "************************\n"}));
}

}  // namespace
}  // namespace script
