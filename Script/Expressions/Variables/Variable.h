#pragma once
// A node that names storage: a declared variable or structure member, and
// the base of the literal, cast, library and error variables.
#include <cstdint>

#include "Script/Expressions/Node.h"

namespace script {

class Type;

class Variable : public Node {
 public:
  Variable(const SourcePosition& position, Node* parent, Type* type) : Variable(TYPE_TOKEN, position, parent, type) {}

  // Without a wanted result there is nothing to do; an access chain on the
  // right yields the value. Reading the variable's own stack slot is not
  // supported yet and fails.
  uint32_t Run(ExecContext* context) override;

  // The declared type (not owned).
  Type* GetType() const { return type_; }
  void SetType(Type* type) { type_ = type; }
  // The stack slot: bit 31 the global frame, bit 30 a rebinding slot, the
  // rest the slot number.
  uint32_t SlotIndex() const { return slotIndex_; }
  void SetSlotIndex(uint32_t index) { slotIndex_ = index; }
  // The byte position reserved for the variable; -1 when it names a function.
  int32_t StorageOffset() const { return storageOffset_; }
  void SetStorageOffset(int32_t offset) { storageOffset_ = offset; }
  // A structure member's byte offset inside the structure, set by the layout.
  uint32_t MemberOffset() const { return memberOffset_; }
  void SetMemberOffset(uint32_t offset) { memberOffset_ = offset; }

 protected:
  Variable(int32_t typeId, const SourcePosition& position, Node* parent, Type* type)
      : Node(typeId, position, parent), type_(type) {}

 private:
  uint32_t slotIndex_ = 0;
  int32_t storageOffset_ = -1;
  uint32_t memberOffset_ = 0;
  Type* type_;
};

}  // namespace script
