#pragma once
// Steps the access nodes (member access, subscript) share: where a node
// finds its base object, and how it reaches a member or element slot.
#include <cstdint>

namespace script {

struct ExecContext;
class MemoryBlock;
class Node;
class Runable;
class Type;

// The slot through which the access node below `parent` reads its base
// object: a variable's own slot, or the binding slot of a subscript or of a
// function call (through which the call hands over its result).
uint32_t BaseSlotOf(const Node* parent);

// The object an access step reached.
struct ReachedObject {
  MemoryBlock* block = nullptr;  // null for a reference that designates nothing
  uint32_t offset = 0;
  // The block resolved through a reference cell, holding one count the
  // caller releases (ReleaseReached); null when the slot held the object.
  MemoryBlock* held = nullptr;
};

// Reaches the slot of `slotType` at `position` in `block`. A reference slot
// holds an address: the cell is recorded in the context's reference-slot
// words (when the caller asked for them) and resolved to the object it
// designates. Any other slot is the object itself, and the words then record
// that no reference slot was reached. RUN_ERROR (reported at `node`) when a
// reference cell lies outside the block.
uint32_t ReachSlot(ExecContext* context, const Runable* node, Type* slotType, MemoryBlock* block,
                   uint32_t position, ReachedObject& reached);
void ReleaseReached(ReachedObject& reached);

}  // namespace script
