#include "Script/Expressions/Errors/ErrorNode.h"

#include "Script/Expressions/Errors/ErrorType.h"
#include "Script/Expressions/Errors/ErrorVariable.h"
#include "Script/Expressions/Scope.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Stack/StackMemory.h"

namespace script {

void ErrorNode::SetBody(Scope* body) { SetLeft(body); }

void ErrorNode::SetInstance(ErrorVariable* variable) { SetRight(variable); }

Scope* ErrorNode::Body() const { return static_cast<Scope*>(left_); }

ErrorVariable* ErrorNode::Instance() const { return static_cast<ErrorVariable*>(right_); }

uint32_t ErrorNode::Run(ExecContext* context) {
  const ErrorVariable* variable = Instance();
  Scope* body = Body();
  if (variable == nullptr || body == nullptr || variable->GetType()->TypeId() != TYPE_ERROR_TYPE) return RUN_ERROR;
  StackMemory* thread = context->thread;
  const MemoryBlockRef* storage = thread->GetSlot(variable->SlotIndex());
  static_cast<const ErrorType*>(variable->GetType())
      ->Fill(storage->Block(), storage->Offset(), thread->Reporter().LastError());
  return body->Run(context);
}

void ErrorNode::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_PARENTHESIS);
  if (right_ != nullptr) serializer->WriteSymbol(right_->Position());
  serializer->WriteEndToken(TYPE_PARENTHESIS);
  serializer->WriteToken(TYPE_EMPTY);
  if (left_ != nullptr) left_->Serialize(serializer);
}

}  // namespace script
