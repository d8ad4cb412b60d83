// A call's frame lends its slots to the next call of the same body, but only
// storage that nothing outside the frame still holds.
#include <gtest/gtest.h>

#include <cstring>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/StackMemory.h"

namespace script {
namespace {

class FrameReuseTest : public testing::Test {
 protected:
  FrameReuseTest() {
    body_.ReserveSlot(BuiltInType(TYPE_I32), SourcePosition{}, 4, 4);
    body_.ReserveSlot(BuiltInType(TYPE_STRING), SourcePosition{}, sizeof(std::string), alignof(std::string));
  }
  void Call() { stack_.PushFrame(&function_, &body_, body_.FrameLayout()); }
  int32_t ReadI32(MemoryBlockRef* ref) {
    int32_t value;
    std::memcpy(&value, ref->Data(), sizeof value);
    return value;
  }

  Memory heap_;
  SymbolStore symbols_;
  Function function_{SourcePosition{}, nullptr};
  Scope body_{SourcePosition{}, nullptr};
  StackMemory stack_{&heap_, 1, &symbols_, nullptr, nullptr};
};

TEST_F(FrameReuseTest, SlotsOnlyTheFrameHoldsComeBackZeroed) {
  Call();
  MemoryBlockRef* number = stack_.GetSlot(0);
  const int32_t written = 42;
  std::memcpy(number->Data(), &written, sizeof written);
  *reinterpret_cast<std::string*>(stack_.GetSlot(1)->Data()) = "kept apart";
  stack_.PopFrame();

  Call();
  EXPECT_EQ(number, stack_.GetSlot(0)) << "the plain slot is lent again";
  EXPECT_EQ(0, ReadI32(stack_.GetSlot(0)));
  EXPECT_EQ("", *reinterpret_cast<std::string*>(stack_.GetSlot(1)->Data())) << "a string slot is made anew";
  stack_.PopFrame();
}

TEST_F(FrameReuseTest, SlotsHeldElsewhereAreLeftToTheirHolders) {
  Call();
  MemoryBlockRef* held = stack_.GetSlot(0);
  const int32_t written = 7;
  std::memcpy(held->Data(), &written, sizeof written);
  held->AddRef();  // a value still refers to the local, as a reference return does
  stack_.PopFrame();

  Call();
  EXPECT_NE(held, stack_.GetSlot(0));
  EXPECT_EQ(7, ReadI32(held)) << "the holder's storage is untouched";
  stack_.PopFrame();
  held->Release();
}

TEST_F(FrameReuseTest, RecursionTakesOneSpareFramePerLevel) {
  Call();
  MemoryBlockRef* outer = stack_.GetSlot(0);
  Call();
  MemoryBlockRef* inner = stack_.GetSlot(0);
  EXPECT_NE(outer, inner);
  stack_.PopFrame();
  stack_.PopFrame();
  Call();
  Call();
  EXPECT_EQ(2, stack_.FrameCount());
  EXPECT_NE(stack_.Frame(0)->slots[0].ref, stack_.Frame(1)->slots[0].ref);
  stack_.PopFrame();
  stack_.PopFrame();
}

TEST(FrameReuseRelease, SpareFramesAreReleasedWithTheStack) {
  Memory heap;
  SymbolStore symbols;
  Function function{SourcePosition{}, nullptr};
  Scope body{SourcePosition{}, nullptr};
  body.ReserveSlot(BuiltInType(TYPE_I64), SourcePosition{}, 8, 8);
  {
    StackMemory stack(&heap, 1, &symbols, nullptr, nullptr);
    stack.PushFrame(&function, &body, body.FrameLayout());
    stack.PopFrame();
    EXPECT_EQ(1u, heap.LiveRefCount()) << "kept for the next call";
  }
  EXPECT_EQ(0u, heap.LiveRefCount());
  EXPECT_EQ(0u, heap.LiveBlockCount());
}

}  // namespace
}  // namespace script
