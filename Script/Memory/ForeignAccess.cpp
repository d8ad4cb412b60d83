#include "Script/Memory/ForeignAccess.h"

#include "Script/Platform/FaultGuard.h"

namespace script {

uint32_t ProbeForeignRange(const MemoryBlock& block, uint32_t offset, uint32_t size) {
  return platform::GuardedProbe(block.Data() + offset, size);
}

}  // namespace script
