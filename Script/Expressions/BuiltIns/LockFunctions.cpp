#include "Script/Expressions/BuiltIns/LockFunctions.h"

#include "Script/Memory/Memory.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {

uint32_t Lock::Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) {
  const MemoryBlockRef* storage = argument.Ref();
  MemoryBlock* block = storage->Block();
  if (block == nullptr) return ReportRuntimeError(context, site, "Reference is NULL!");
  Mark(*block);
  // A handle of its own: rebinding the result leaves the argument's variable alone.
  MemoryBlockRef* same = context->heap->NewRef(argument.GetType(), block, storage->Offset());
  if (same == nullptr) return ReportRuntimeError(context, site, "Out of memory.");
  result.AdoptRef(same, argument.GetType());
  return RUN_OK;
}

void Lock::Mark(MemoryBlock& block) const { block.Lock(); }

void UnLock::Mark(MemoryBlock& block) const { block.Unlock(); }

}  // namespace script
