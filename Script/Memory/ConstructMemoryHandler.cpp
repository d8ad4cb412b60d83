#include "Script/Memory/ConstructMemoryHandler.h"

#include <new>
#include <string>

#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"

namespace script {

void ConstructMemoryHandler::Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) {
  if (pointerFlag || type == nullptr || block == nullptr || block->IsForeign()) return;
  if (type->TypeId() == TYPE_STRING) {
    if (SlotFits(block, offset, sizeof(std::string))) new (block->Data() + offset) std::string();
  } else if (!type->IsPlainData()) {
    type->VisitMembers(*this, block, offset);
  }
}

}  // namespace script
