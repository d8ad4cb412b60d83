#include "Script/Memory/DestroyMemoryHandler.h"

#include <cstring>
#include <memory>
#include <string>

#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"

namespace script {

namespace {

constexpr unsigned char kScribble = 0xDD;

void Scribble(MemoryBlock* block, uint32_t offset, uint32_t size) {
  if (!block->IsForeign() && SlotFits(block, offset, size)) std::memset(block->Data() + offset, kScribble, size);
}

}  // namespace

void DestroyMemoryHandler::Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) {
  if (type == nullptr || block == nullptr) return;
  if (pointerFlag) {
    if (!SlotFits(block, offset, sizeof(uintptr_t))) return;
    uint32_t pointeeOffset = 0;
    MemoryBlock* pointee = heap_->ResolvePointer(type, block, offset, pointeeOffset);
    if (pointee != nullptr) {
      pointee->Release();  // the count of the lookup
      pointee->Release();  // the count the cell held
    }
    const uintptr_t released = kReleasedCell;
    std::memcpy(block->Data() + offset, &released, sizeof released);
    return;
  }
  if (type->IsPlainData()) {  // bytes only: no member walk needed
    Scribble(block, offset, type->GetSize());
    return;
  }
  switch (type->TypeId()) {
    case TYPE_STRING:
      if (block->IsForeign() || !SlotFits(block, offset, sizeof(std::string))) return;
      std::destroy_at(reinterpret_cast<std::string*>(block->Data() + offset));
      break;
    case TYPE_AGGREGATE_TYPE:
    case TYPE_ERROR_TYPE:
    case TYPE_ARRAY:
      type->VisitMembers(*this, block, offset);
      break;
    default:
      break;
  }
  Scribble(block, offset, type->GetSize());
}

}  // namespace script
