#include "Script/Expressions/Variables/AccessChain.h"

#include "Script/Foundation/ExecContext.h"
#include "Script/Expressions/Functions/FunctionCall.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Expressions/Variables/SubscriptNode.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/ForeignAccess.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/RuntimeError.h"

namespace script {
namespace {

// Replaces the recorded reference slot, releasing the block recorded before.
void RecordReferenceSlot(ExecContext* context, MemoryBlock* block, uint32_t offset) {
  MemoryBlock* previous = context->referenceSlotBlock;
  if (previous == nullptr) return;  // not asked for
  if (block != ExecContext::kNoReferenceSlot) block->AddRef();
  if (previous != ExecContext::kNoReferenceSlot) previous->Release();
  context->referenceSlotBlock = block;
  context->referenceSlotOffset = offset;
}

}  // namespace

uint32_t BaseSlotOf(const Node* parent) {
  if (parent->TypeId() == TYPE_SUBSCRIPT) return static_cast<const SubscriptNode*>(parent)->BindingSlot();
  if (parent->TypeId() == TYPE_FUNCTION_CALL) return static_cast<const FunctionCall*>(parent)->BindingSlot();
  return static_cast<const Variable*>(parent)->SlotIndex();
}

uint32_t ReachSlot(ExecContext* context, const Runable* node, Type* slotType, MemoryBlock* block,
                   uint32_t position, ReachedObject& reached) {
  if (!slotType->IsReferenceSlot()) {
    RecordReferenceSlot(context, ExecContext::kNoReferenceSlot, 0);
    reached = ReachedObject{block, position, nullptr};
    return RUN_OK;
  }
  if (!SlotFits(block, position, Type::kAddressSize)) return ReportRuntimeError(context, node, "MEMORY_ACCESS_EXCEPTION!");
  RecordReferenceSlot(context, block, position);
  uint32_t offset = 0;
  MemoryBlock* pointee = context->heap->ResolvePointer(slotType, block, position, offset);
  reached = ReachedObject{pointee, offset, pointee};
  // A cell native code wrote may point at memory that cannot be read.
  if (const uint32_t fault = ProbeForeign(pointee, offset, slotType->GetSize())) {
    ReleaseReached(reached);
    return ReportRuntimeError(context, node, "MEMORY_ACCESS_EXCEPTION!", fault);
  }
  return RUN_OK;
}

void ReleaseReached(ReachedObject& reached) {
  if (reached.held != nullptr) reached.held->Release();
  reached.held = nullptr;
}

}  // namespace script
