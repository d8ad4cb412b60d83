#include <gtest/gtest.h>

#include <cstring>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Stack/ThreadMap.h"

namespace script {
namespace {

class StackMemoryTest : public testing::Test {
 protected:
  std::vector<FrameSlot> Layout(std::initializer_list<int32_t> typeIds) {
    std::vector<FrameSlot> layout;
    for (int32_t id : typeIds) layout.push_back(FrameSlot{BuiltInType(id), SourcePosition{}});
    return layout;
  }
  int32_t ReadI32(StackMemory& stack, uint32_t index) {
    int32_t value;
    std::memcpy(&value, stack.GetSlot(index)->Data(), sizeof value);
    return value;
  }
  void WriteI32(StackMemory& stack, uint32_t index, int32_t value) {
    std::memcpy(stack.GetSlot(index)->Data(), &value, sizeof value);
  }

  Memory heap_;
  SymbolStore symbols_;
  Scope root_{SourcePosition{}, nullptr};
  Scope body_{SourcePosition{}, nullptr};
};

TEST_F(StackMemoryTest, FramesHoldZeroedSlotsAndGlobalsStayReachable) {
  {
    StackMemory stack(&heap_, 1, &symbols_, nullptr, nullptr);
    EXPECT_EQ(-1, stack.CurrentFrameIndex());
    EXPECT_EQ(0, stack.PushFrame(nullptr, &root_, Layout({TYPE_I32, TYPE_STRING})));
    EXPECT_EQ(0, ReadI32(stack, 0));
    WriteI32(stack, StackMemory::kGlobalBit | 0, 41);
    EXPECT_EQ(1, stack.PushFrame(nullptr, &body_, Layout({TYPE_I32})));
    EXPECT_EQ(1u, stack.SlotCount());
    WriteI32(stack, 0, 7);
    EXPECT_EQ(41, ReadI32(stack, StackMemory::kGlobalBit | 0)) << "bit 31 reads frame 0";
    EXPECT_EQ(7, ReadI32(stack, 0)) << "without bit 31 the current frame";
    stack.AddSlot(BuiltInType(TYPE_I64));
    EXPECT_EQ(2u, stack.SlotCount());
    EXPECT_EQ(0, stack.PopFrame());
    EXPECT_EQ(2u, heap_.LiveBlockCount()) << "the popped frame's slots are freed, the globals stay";
  }
  EXPECT_EQ(0u, heap_.LiveBlockCount()) << "popping every frame releases every slot";
  EXPECT_EQ(0u, heap_.LiveRefCount());
}

TEST_F(StackMemoryTest, SetSlotSharesTheReference) {
  StackMemory stack(&heap_, 1, &symbols_, nullptr, nullptr);
  stack.PushFrame(nullptr, &root_, Layout({TYPE_I32, TYPE_I32}));
  MemoryBlockRef* first = stack.GetSlot(0);
  stack.SetSlot(1, first);
  EXPECT_EQ(first, stack.GetSlot(1));
  EXPECT_EQ(2u, first->RefCount());
  stack.PopFrame();
  EXPECT_EQ(0u, heap_.LiveRefCount());
}

TEST_F(StackMemoryTest, RebindingStackOfABit30Slot) {
  StackMemory stack(&heap_, 1, &symbols_, nullptr, nullptr);
  stack.PushFrame(nullptr, &root_, Layout({TYPE_I32}));
  const uint32_t rebound = StackMemory::kRebindingBit | 0;
  MemoryBlockRef* own = stack.GetSlot(0);
  MemoryBlock* other = heap_.NewOwnedBlock(BuiltInType(TYPE_I32), 8);
  stack.PushSlotBinding(rebound, BuiltInType(TYPE_I32), 4, other);
  EXPECT_EQ(other, stack.GetSlot(rebound)->Block());
  EXPECT_EQ(4u, stack.GetSlot(rebound)->Offset());
  EXPECT_EQ(own, stack.GetSlot(0)) << "without bit 30 the slot's own binding";
  stack.PopSlotBinding(rebound);
  EXPECT_EQ(own, stack.GetSlot(rebound)) << "an empty rebinding stack falls back to the slot";
  stack.PushSlotBinding(0, BuiltInType(TYPE_I32), 0, other);
  EXPECT_EQ(own, stack.GetSlot(rebound)) << "only bit-30 indices rebind";
  other->Release();
  stack.PopFrame();
  EXPECT_EQ(0u, heap_.LiveBlockCount());
}

TEST_F(StackMemoryTest, ThreadsShareTheMainThreadsGlobals) {
  ThreadMap threads(&heap_, &symbols_, nullptr, nullptr);
  StackMemory* main = threads.GetStackMemory(10);
  EXPECT_EQ(main, threads.Main());
  EXPECT_EQ(main, threads.GetStackMemory(10));
  main->PushFrame(nullptr, &root_, Layout({TYPE_I32}));
  WriteI32(*main, 0, 5);

  StackMemory* foreign = threads.GetStackMemory(11);
  EXPECT_EQ(main, threads.Main());
  EXPECT_TRUE(threads.ShareGlobals(foreign));
  EXPECT_FALSE(threads.ShareGlobals(foreign)) << "a second entry finds its frames";
  EXPECT_EQ(5, ReadI32(*foreign, StackMemory::kGlobalBit | 0));
  EXPECT_EQ(&root_, foreign->Frame(0)->body);

  threads.ReleaseStackMemory(10);
  EXPECT_EQ(nullptr, threads.Main());
  EXPECT_EQ(5, ReadI32(*foreign, StackMemory::kGlobalBit | 0)) << "shared storage outlives the main thread";
  threads.ReleaseStackMemory(11);
  EXPECT_EQ(0u, heap_.LiveBlockCount());
}

}  // namespace
}  // namespace script

namespace script {
namespace {

TEST(DescribeFrameTest, TheTopLevelIsNamedByTheScriptFile) {
  Memory heap;
  SymbolStore symbols;
  const uint32_t file = symbols.InternFile("scripts/dir/main.kelvra");
  symbols.InternFile("other.kelvra");
  Scope root(SourcePosition{0, file, 1, 1}, nullptr);
  Scope statement(SourcePosition{5, file, 7, 3}, &root);
  StackMemory stack(&heap, 1, &symbols, nullptr, nullptr);
  FrameDescription description;
  EXPECT_FALSE(stack.DescribeFrame(0, symbols, description)) << "no frame yet";
  stack.PushFrame(nullptr, &root, {});
  EXPECT_FALSE(stack.DescribeFrame(0, symbols, description)) << "no statement yet";
  stack.CurrentFrame()->currentStatement = &statement;
  ASSERT_TRUE(stack.DescribeFrame(0, symbols, description));
  EXPECT_EQ("main.kelvra", description.function);
  EXPECT_EQ("Script", description.module);
  EXPECT_EQ("scripts/dir/main.kelvra", description.file);
  EXPECT_EQ(7u, description.line);
  EXPECT_EQ(3u, description.position);
  EXPECT_FALSE(stack.DescribeFrame(1, symbols, description));
}

}  // namespace
}  // namespace script

#include "Script/Stack/RuntimeError.h"
#include "tests/support/CaptureSink.h"

namespace script {
namespace {

TEST(RuntimeErrorTest, ReportsAtTheNodeWithTheThreadsCallStack) {
  Memory heap;
  SymbolStore symbols;
  test::CaptureSink sink;
  const uint32_t file = symbols.InternFile("dir/main.kelvra");
  const uint32_t name = symbols.InternSymbol("x");
  Scope root(SourcePosition{0, file, 1, 1}, nullptr);
  Scope statement(SourcePosition{name, file, 4, 2}, &root);
  StackMemory stack(&heap, 1, &symbols, &sink, nullptr);
  stack.PushFrame(nullptr, &root, {});
  stack.CurrentFrame()->currentStatement = &statement;
  ExecContext context{nullptr, &heap, &stack, &root};
  EXPECT_EQ(RUN_ERROR, ReportRuntimeError(&context, &statement, "Division by zero"));
  std::vector<std::string> lines = sink.Lines(CHANNEL_RUN);
  ASSERT_EQ(3u, lines.size());
  EXPECT_TRUE(lines[0].ends_with(", RUNTIME ERROR: Division by zero in \"dir/main.kelvra\", line: 4 ,pos: 2, sym: x"))
      << lines[0];
  EXPECT_EQ("        main.kelvra : \"dir/main.kelvra\", line: 4, pos: 2", lines[2]);
  EXPECT_EQ("main.kelvra [dir/main.kelvra, line: 4, pos: 2]", stack.Reporter().LastError().trace);
}

// Call frames count their body's frame size against the thread's byte
// bound; the globals do not count.
TEST_F(StackMemoryTest, CallFramesAreBoundedByTheirBytes) {
  StackMemory stack(&heap_, 1, &symbols_, nullptr, nullptr);
  EXPECT_EQ(StackMemory::kDefaultByteLimit, stack.ByteLimit());
  Type* local = BuiltInType(TYPE_I64);
  body_.ReserveSlot(local, SourcePosition{}, local->GetSlotSize(), local->GetAlignment());
  stack.SetByteLimit(3 * body_.FrameSize());
  ASSERT_EQ(0, stack.PushFrame(nullptr, &root_, Layout({TYPE_I64, TYPE_I64, TYPE_I64, TYPE_I64})));
  Node* called = &root_;  // stands for the function called
  for (int32_t frame = 1; frame <= 3; ++frame) EXPECT_EQ(frame, stack.PushFrame(called, &body_, body_.FrameLayout()));
  EXPECT_EQ(StackMemory::kFrameTooLarge, stack.PushFrame(called, &body_, body_.FrameLayout()));
  EXPECT_EQ(3, stack.CurrentFrameIndex()) << "a refused frame is not pushed";
  stack.PopFrame();
  EXPECT_EQ(3, stack.PushFrame(called, &body_, body_.FrameLayout())) << "a popped frame gives its bytes back";
}

}  // namespace
}  // namespace script
