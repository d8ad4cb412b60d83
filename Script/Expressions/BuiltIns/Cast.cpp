#include "Script/Expressions/BuiltIns/Cast.h"

#include "Script/Expressions/Functions/FunctionCall.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {

Type* Cast::TargetOf(const Runable* site) const {
  if (site == nullptr || site->TypeId() != TYPE_FUNCTION_CALL) return nullptr;
  const FunctionRefType* callee = static_cast<const FunctionCall*>(site)->GetCalleeType();
  return callee != nullptr && callee->Parent() == this ? callee->ReturnType() : nullptr;
}

uint32_t Cast::Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) {
  Type* target = TargetOf(site);
  if (target == nullptr) return ReportRuntimeError(context, site, "No function implementation.");
  const MemoryBlockRef* storage = argument.Ref();
  MemoryBlock* block = storage->Block();
  uint32_t offset = storage->Offset();
  MemoryBlock* allocated = nullptr;
  MemoryBlock* cell = context->referenceSlotBlock;
  if (block == nullptr && cell != nullptr && cell != ExecContext::kNoReferenceSlot) {
    allocated = context->heap->ResolveOrAllocatePointee(argument.GetType(), cell, context->referenceSlotOffset, offset);
    block = allocated;
  }
  uint32_t status = RUN_OK;
  if (block == nullptr) {
    status = ReportRuntimeError(context, site, "Reference is NULL!");
  } else if (!SlotFits(block, offset, target->GetSize())) {
    status = ReportRuntimeError(context, site, "Cast target is larger than the storage of its value");
  } else if (MemoryBlockRef* same = context->heap->NewRef(target, block, offset)) {
    result.AdoptRef(same, target);
  } else {
    status = ReportRuntimeError(context, site, "Out of memory.");
  }
  if (allocated != nullptr) allocated->Release();
  return status;
}

}  // namespace script
