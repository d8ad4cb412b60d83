#pragma once
// Types, a heap and a stack built by hand for the variable view tests: type
// nodes named as a script names them, and a root scope whose frame layout
// lists the globals.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/StackMemory.h"
#include "tests/types/TypeBuilders.h"

namespace script::test {

class VariableViewFixture : public testing::Test {
 protected:
  uint32_t Symbol(const char* text) { return symbols_.InternSymbol(text); }

  // A type node owned by the fixture; it outlives the stack's blocks.
  template <class T>
  T* Own(T* type) {
    types_.emplace_back(type);
    return type;
  }
  // A basic type node named by its keyword, with a reference mode.
  static Type* Basic(int32_t typeId, Node* parent = nullptr, uint32_t referenceMode = 0) {
    auto* type = new Type(typeId, BuiltInType(typeId)->Position(), parent);
    MarkReference(*type, referenceMode);
    return type;
  }
  // A member declaration of a basic type with one variable per name.
  void AddMember(AggregateType& structure, int32_t typeId, uint32_t referenceMode,
                 std::initializer_list<const char*> names) {
    Type* member = Basic(typeId, &structure, referenceMode);
    structure.AddMember(member);
    for (const char* name : names) member->AddItem(new Variable(SourcePosition{Symbol(name)}, member, member));
  }
  // A structure definition; its members are added before ComputeLayout.
  AggregateType* Structure(const char* name) { return Own(new AggregateType(SourcePosition{Symbol(name)}, nullptr)); }

  // Appends a global to the root scope's frame layout.
  void Global(const char* name, Type* type) {
    root_.ReserveSlot(type, SourcePosition{Symbol(name)}, type->GetSlotSize(), type->GetAlignment());
  }
  // Pushes the global frame, one slot per global.
  void PushGlobals() { stack_.PushFrame(nullptr, &root_, root_.FrameLayout()); }
  MemoryBlock* SlotBlock(uint32_t slot) { return stack_.Frame(0)->slots.at(slot).ref->Block(); }
  template <class T>
  void Write(uint32_t slot, uint32_t offset, T value) {
    std::memcpy(SlotBlock(slot)->Data() + offset, &value, sizeof value);
  }
  // Stores the address of a slot's data in a pointer cell, as reference
  // binding does: the target is mapped so that the heap finds it again, and
  // the cell holds a count on it.
  void PointAt(uint32_t slot, uint32_t offset, uint32_t targetSlot) {
    MemoryBlock* target = SlotBlock(targetSlot);
    heap_.EnsureMapped(target);
    target->AddRef();
    Write(slot, offset, target->Data());
  }
  // Empties a cell set by PointAt; breaks a cycle that would keep its
  // blocks alive.
  void Unpoint(uint32_t slot, uint32_t offset, uint32_t targetSlot) {
    Write(slot, offset, static_cast<uint8_t*>(nullptr));
    SlotBlock(targetSlot)->Release();
  }

  Memory heap_;
  SymbolStore symbols_;
  std::vector<std::unique_ptr<Type>> types_;
  Scope root_{SourcePosition{}, nullptr};
  StackMemory stack_{&heap_, 1, &symbols_, nullptr, nullptr};
};

}  // namespace script::test
