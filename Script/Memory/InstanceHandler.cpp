#include "Script/Memory/InstanceHandler.h"

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"

namespace script {

void InstanceHandler::Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) {
  if (type == nullptr || block == nullptr) return;
  if (!pointerFlag) {
    type->VisitMembers(*this, block, offset);
    return;
  }
  uint32_t pointeeOffset = 0;
  MemoryBlock* pointee = heap_->ResolvePointer(type, block, offset, pointeeOffset);
  if (pointee == nullptr) return;
  type->VisitMembers(*this, pointee, pointeeOffset);
  pointee->Release();
}

}  // namespace script
