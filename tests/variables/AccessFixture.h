#pragma once
// A heap and a script thread with a global frame, for running variable and
// access nodes built by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Foundation/ExecContext.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Values/Value.h"

namespace script::test {

class AccessFixture : public testing::Test {
 protected:
  static uint32_t Global(uint32_t slot) { return StackMemory::kGlobalBit | slot; }
  // A global rebinding slot, as member variables and subscripts use.
  static uint32_t Binding(uint32_t slot) { return StackMemory::kGlobalBit | StackMemory::kRebindingBit | slot; }
  static SourcePosition At(uint32_t symbol, uint32_t line = 1, uint32_t position = 1) {
    return SourcePosition{symbol, 0, line, position};
  }

  // Pushes the global frame with one zero-filled slot per type.
  void PushGlobals(std::initializer_list<Type*> types) {
    std::vector<FrameSlot> layout;
    for (Type* type : types) layout.push_back(FrameSlot{type, SourcePosition{}});
    thread_.PushFrame(nullptr, nullptr, layout);
  }

  // Keeps a type node alive until the frames holding its values are gone.
  template <class T>
  T* Keep(T* node) {
    kept_.emplace_back(node);
    return node;
  }

  template <typename T>
  void Store(uint32_t slot, uint32_t offset, T value) {
    std::memcpy(thread_.GetSlot(slot)->Data() + offset, &value, sizeof value);
  }
  template <typename T>
  T Load(uint32_t slot, uint32_t offset) {
    T value;
    std::memcpy(&value, thread_.GetSlot(slot)->Data() + offset, sizeof value);
    return value;
  }

  ExecContext Context(Value* result) { return ExecContext{result, &heap_, &thread_, nullptr}; }
  uint32_t Run(Node& node, Value& result) {
    ExecContext context = Context(&result);
    return node.Run(&context);
  }
  const LastRuntimeError& LastError() { return thread_.Reporter().LastError(); }

  Memory heap_;
  SymbolStore symbols_;
  std::vector<std::unique_ptr<Node>> kept_;  // outlives the thread's frames
  StackMemory thread_{&heap_, 1, &symbols_, nullptr, nullptr};
};

}  // namespace script::test
