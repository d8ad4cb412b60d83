#pragma once
// Steps that structures and arrays share for one member or element slot. A
// slot whose type is a reference slot (Type::IsReferenceSlot) holds the
// address of the referenced object; every other slot holds the value itself.
#include <cstdint>
#include <string_view>

#include "Script/Memory/MemoryBlock.h"

namespace script {

class InstanceHandler;
class Memory;
class Type;

// Whether `size` bytes at `offset` lie inside the block's data.
inline bool SlotFits(const MemoryBlock* block, uint32_t offset, uint32_t size) {
  return block != nullptr && offset <= block->Size() && size <= block->Size() - offset;
}

// Whether a slot holds plain bytes: a value slot of a plain-data type.
bool IsPlainSlot(const Type& type);

// Copies one slot. A value slot is copied by the type's CopyValue. A
// reference slot copies the referenced object into the target's referenced
// object (allocated when the target cell is null, reset by the heap's clear
// handler when the source cell is null); the cells keep their addresses.
void CopySlot(Memory& memory, Type* type, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
              uint32_t sourceOffset);

// Hands one slot to a visitor, with the pointer flag for a reference slot.
void VisitSlot(InstanceHandler& visitor, Type* type, MemoryBlock* block, uint32_t offset);

// Takes the leading decimal number, and the "_" that follows it, off a path;
// false when the path does not start with a number.
bool TakePathNumber(std::string_view& path, uint32_t& number);

// Resolves the rest of a path inside the slot at block data + offset: through
// the address of a reference slot, then by the slot type's ResolvePath. The
// result holds one count for the caller; null when the path leads nowhere.
MemoryBlock* ResolvePathInSlot(Memory& memory, Type* type, std::string_view rest, MemoryBlock* block,
                               uint32_t offset, uint32_t& outOffset);

}  // namespace script
