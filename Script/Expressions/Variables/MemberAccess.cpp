#include "Script/Expressions/Variables/MemberAccess.h"

#include "Script/Foundation/Serializer.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Variables/AccessChain.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Stack/StackMemory.h"

namespace script {

uint32_t MemberAccess::Run(ExecContext* context) {
  if (right_ == nullptr || !IsVariableLike(right_->TypeId())) return RUN_ERROR;
  auto* member = static_cast<Variable*>(right_);
  StackMemory* thread = context->thread;
  const MemoryBlockRef* base = thread->GetSlot(BaseSlotOf(parent_));
  ReachedObject reached;
  if (ReachSlot(context, this, member->GetType(), base->Block(), base->Offset() + member->MemberOffset(), reached) !=
      RUN_OK) {
    return RUN_ERROR;
  }
  const uint32_t slot = member->SlotIndex();
  thread->PushSlotBinding(slot, member->GetType(), reached.offset, reached.block);
  const uint32_t result = member->Run(context);
  thread->PopSlotBinding(slot);
  ReleaseReached(reached);
  return result;
}

bool MemberAccess::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  if (right_ == nullptr) return Reject(error, ErrorCode::SYNTAX_ERROR, "script::MemberAccess::IsExpression");
  return right_->IsExpression(resultType, wrapper, error);
}

void MemberAccess::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_DOT);
  if (right_ != nullptr) right_->Serialize(serializer);
}

}  // namespace script
