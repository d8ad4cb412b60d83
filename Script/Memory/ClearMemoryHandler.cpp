#include "Script/Memory/ClearMemoryHandler.h"

#include <cstring>
#include <string>

#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"

namespace script {

void ClearMemoryHandler::Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) {
  if (pointerFlag || type == nullptr || block == nullptr) {
    InstanceHandler::Visit(pointerFlag, type, block, offset);
    return;
  }
  switch (type->TypeId()) {
    case TYPE_STRING:
      if (!block->IsForeign() && SlotFits(block, offset, sizeof(std::string))) {
        reinterpret_cast<std::string*>(block->Data() + offset)->clear();
      }
      break;
    case TYPE_AGGREGATE_TYPE:
    case TYPE_ERROR_TYPE:
    case TYPE_ARRAY:
      type->VisitMembers(*this, block, offset);
      break;
    default:
      if (!block->IsForeign() && SlotFits(block, offset, type->GetSize())) {
        std::memset(block->Data() + offset, 0, type->GetSize());
      }
      break;
  }
}

}  // namespace script
