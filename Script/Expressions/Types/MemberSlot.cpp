#include "Script/Expressions/Types/MemberSlot.h"

#include <charconv>
#include <cstring>

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"

namespace script {

namespace {

uintptr_t ReadCell(const MemoryBlock* block, uint32_t offset) {
  uintptr_t address = 0;
  std::memcpy(&address, block->Data() + offset, sizeof(address));
  return address;
}

// The deep copy of a reference slot: the target's referenced object receives
// a copy of the source's.
void CopyReferencedObject(Memory& memory, Type* type, MemoryBlock* target, uint32_t targetOffset,
                          MemoryBlock* source, uint32_t sourceOffset) {
  if (!SlotFits(target, targetOffset, Type::kAddressSize) || !SlotFits(source, sourceOffset, Type::kAddressSize)) {
    return;
  }
  const bool sourceIsNull = ReadCell(source, sourceOffset) == 0;
  if (sourceIsNull && ReadCell(target, targetOffset) == 0) return;

  uint32_t targetPointeeOffset = 0;
  MemoryBlock* targetPointee = memory.ResolveOrAllocatePointee(type, target, targetOffset, targetPointeeOffset);
  if (targetPointee == nullptr) return;
  if (sourceIsNull) {
    if (InstanceHandler* clear = memory.ClearHandler()) clear->Visit(false, type, targetPointee, targetPointeeOffset);
  } else {
    uint32_t sourcePointeeOffset = 0;
    if (MemoryBlock* sourcePointee = memory.ResolvePointer(type, source, sourceOffset, sourcePointeeOffset)) {
      type->CopyValue(memory, targetPointee, targetPointeeOffset, sourcePointee, sourcePointeeOffset);
      sourcePointee->Release();
    }
  }
  targetPointee->Release();
}

}  // namespace

bool IsPlainSlot(const Type& type) { return !type.IsReferenceSlot() && type.IsPlainData(); }

void CopySlot(Memory& memory, Type* type, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
              uint32_t sourceOffset) {
  if (type->IsReferenceSlot()) {
    CopyReferencedObject(memory, type, target, targetOffset, source, sourceOffset);
  } else {
    type->CopyValue(memory, target, targetOffset, source, sourceOffset);
  }
}

void VisitSlot(InstanceHandler& visitor, Type* type, MemoryBlock* block, uint32_t offset) {
  visitor.Visit(type->IsReferenceSlot(), type, block, offset);
}

bool TakePathNumber(std::string_view& path, uint32_t& number) {
  const char* end = path.data() + path.size();
  auto [stop, error] = std::from_chars(path.data(), end, number);
  if (error != std::errc{}) return false;
  path.remove_prefix(static_cast<std::size_t>(stop - path.data()));
  if (path.empty()) return true;
  if (path.front() != '_' || path.size() == 1) return false;
  path.remove_prefix(1);
  return true;
}

MemoryBlock* ResolvePathInSlot(Memory& memory, Type* type, std::string_view rest, MemoryBlock* block,
                               uint32_t offset, uint32_t& outOffset) {
  if (!type->IsReferenceSlot()) return type->ResolvePath(memory, rest, block, offset, outOffset);
  if (!SlotFits(block, offset, Type::kAddressSize)) return nullptr;
  uint32_t pointeeOffset = 0;
  MemoryBlock* pointee = memory.ResolvePointer(type, block, offset, pointeeOffset);
  if (pointee == nullptr) return nullptr;
  MemoryBlock* result = type->ResolvePath(memory, rest, pointee, pointeeOffset, outOffset);
  pointee->Release();
  return result;
}

}  // namespace script
