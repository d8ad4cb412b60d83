#pragma once
// A node that names storage: a declared variable or structure member, and
// the base of the literal, cast, library and error variables. Running it
// never copies data: the result value refers to the variable's storage.
//
// Children: the left link holds the increment and decrement operators
// applied to the variable (run by the statement wrapper, not here); the
// right link the access chain that follows the name (a subscript, a member
// access or a function call).
#include <cstdint>

#include "Script/Expressions/Node.h"

namespace script {

class MemoryBlockRef;
class Type;

class Variable : public Node {
 public:
  // A function name used as a value has no storage of its own.
  static constexpr int32_t kNoStorage = -1;

  // A variable with its type only: slot 0, no storage, member offset 0.
  Variable(const SourcePosition& position, Node* parent, Type* type) : Variable(TYPE_TOKEN, position, parent, type) {}
  // A variable whose storage is the stack slot `slotIndex`, reserved at
  // `storageOffset` (kNoStorage for a function name used as a value).
  Variable(const SourcePosition& position, Node* parent, Type* type, uint32_t slotIndex, int32_t storageOffset);
  // The node naming a structure member after ".": the member variable's type
  // and offset, read through `bindingSlot` (a rebinding slot, bit 30).
  Variable(const SourcePosition& position, Node* parent, const Variable& member, uint32_t bindingSlot);

  // Makes the result value refer to the variable's storage (see the .cpp).
  uint32_t Run(ExecContext* context) override;
  // Runs the variable as an operand that is only read: a scalar is copied
  // into the result value, which then holds no count on the storage; any
  // other variable runs as Run does.
  uint32_t RunAsOperand(ExecContext* context);
  // Operators applied to function references, arrays, structures and
  // constants are rejected; otherwise the access chain or the operator
  // chain is checked, or the result type is the variable's type.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // The pre operators of the access chain's last node, the own symbol, the
  // access chain, then its post operators.
  void SerializeBody(Serializer* serializer) override;

  // The declared type (not owned).
  Type* GetType() const { return type_; }
  void SetType(Type* type) { type_ = type; }
  // The stack slot: bit 31 the global frame, bit 30 a rebinding slot, the
  // rest the slot number.
  uint32_t SlotIndex() const { return slotIndex_; }
  void SetSlotIndex(uint32_t index) { slotIndex_ = index; }
  // The byte position reserved for the variable; kNoStorage when it names a function.
  int32_t StorageOffset() const { return storageOffset_; }
  void SetStorageOffset(int32_t offset) { storageOffset_ = offset; }
  // A structure member's byte offset inside the structure, set by the layout.
  uint32_t MemberOffset() const { return memberOffset_; }
  void SetMemberOffset(uint32_t offset) { memberOffset_ = offset; }

 protected:
  Variable(int32_t typeId, const SourcePosition& position, Node* parent, Type* type)
      : Node(typeId, position, parent), type_(type) {}

 private:
  // A function's name read as a value: a new function reference.
  uint32_t RunFunctionName(ExecContext* context) const;
  // Fills a function reference slot that still holds 0.
  uint32_t BindFunctionReference(ExecContext* context, MemoryBlockRef* slot) const;

  uint32_t slotIndex_ = 0;
  int32_t storageOffset_ = kNoStorage;
  uint32_t memberOffset_ = 0;
  Type* type_;
};

}  // namespace script
