#pragma once
// Reads through addresses that native code handed the script: the memory may
// not be readable, so it is probed under the fault guard before the engine
// reads it. Owned blocks need no probe and cost one test.
#include <cstdint>

#include "Script/Memory/MemoryBlock.h"

namespace script {

// The probe of a foreign range: 0 when readable, else the fault's code.
uint32_t ProbeForeignRange(const MemoryBlock& block, uint32_t offset, uint32_t size);

// 0 when the `size` bytes at block data + offset can be read, else the code
// of the fault that reading them raised.
inline uint32_t ProbeForeign(const MemoryBlock* block, uint32_t offset, uint32_t size) {
  return block != nullptr && block->IsForeign() ? ProbeForeignRange(*block, offset, size) : 0;
}

}  // namespace script
