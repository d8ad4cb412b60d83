#pragma once
// A variable as the debugger shows it: its name, its declared type and where
// its data lies. The block is held by one count while the variable is shown,
// so that the data outlives a script thread that drops it meanwhile.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "Script/Memory/MemoryBlock.h"
#include "Script/Memory/MemoryBlockRef.h"

namespace script {

class SymbolStore;
class Type;

struct BlockRelease {
  void operator()(MemoryBlock* block) const { block->Release(); }
};
// A block with one count owned by the holder.
using HeldBlock = std::unique_ptr<MemoryBlock, BlockRelease>;

// A block the caller holds a count on, or null.
inline HeldBlock HoldBlock(MemoryBlock* block) {
  if (block != nullptr) block->AddRef();
  return HeldBlock(block);
}

struct ViewedVariable {
  std::string name;
  Type* type = nullptr;
  HeldBlock block;  // null when the storage could not be resolved
  uint32_t offset = 0;
  // The program's symbols, for type and member names.
  const SymbolStore* symbols = nullptr;
};

// The variable whose storage a stack slot refers to; a null reference or a
// reference without block leaves it unresolved.
inline ViewedVariable InspectSlot(std::string name, Type* type, const MemoryBlockRef* ref,
                                  const SymbolStore* symbols) {
  if (ref == nullptr) return ViewedVariable{std::move(name), type, nullptr, 0, symbols};
  return ViewedVariable{std::move(name), type, HoldBlock(ref->Block()), ref->Offset(), symbols};
}

}  // namespace script
