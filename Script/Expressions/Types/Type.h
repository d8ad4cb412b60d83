#pragma once
// A type node: a declaration's type, with the declared variables below it as
// its items. It answers every question the engine asks about values of the
// type: size, slot size, alignment, kind, name, sameness and compatibility,
// how to copy a value, how to walk its members and whether it may cross into
// native code. The basic types (ids 77 to 88) are plain Type nodes; structures,
// arrays and function references derive from it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Script/Expressions/Types/AggregateDefCollection.h"

namespace script {

class Error;
class InstanceHandler;
class Memory;
class MemoryBlock;
class SymbolStore;

class Type : public AggregateDefCollection {
 public:
  // The storage of an address: a reference slot or a function reference.
  static constexpr uint32_t kAddressSize = sizeof(void*);

  Type(int32_t typeId, const SourcePosition& position, Node* parent);
  // Deletes the items, last to first; the reference markers go with the node.
  ~Type() override;

  // Runs each item with a fresh value; the first non-zero result ends the run.
  uint32_t Run(ExecContext* context) override;
  // A type never stands in an expression.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // The reference markers, then a blank and the items separated by ",".
  void SerializeBody(Serializer* serializer) override;
  // Ends the statement unless the type is part of an enclosing declaration.
  void SerializeEnd(Serializer* serializer) override;
  // A declaration's initialiser is wrapped in place among the items.
  bool ReplaceChild(Node* wrapper) override { return PutWrapperInPlace(wrapper); }
  // Also finds `child` among the items.
  bool SubstituteChild(Node* child, Node* replacement) override;

  // Size in bytes of one value.
  virtual uint32_t GetSize() const;
  // Storage taken by a variable of this type: an address for a reference
  // member of a structure or an array, else the value itself.
  uint32_t GetSlotSize() const { return IsReferenceSlot() ? kAddressSize : GetSize(); }
  uint32_t GetAlignment() const { return ReferenceMode() != 0 ? kAddressSize : ValueAlignment(); }
  // The value kind (ValueKind), fixed by the type id.
  uint32_t GetKind() const { return kind_; }

  // Whether a value of the other type may be assigned to one of this type.
  virtual bool IsCompatible(const Type* other) const;
  // Whether both types describe the same storage.
  virtual bool IsSameType(const Type* other) const;
  // Copies one value of this type from source data + sourceOffset to target
  // data + targetOffset.
  virtual void CopyValue(Memory& memory, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
                         uint32_t sourceOffset) const;
  // The block and offset of the item a path ("2_0": numbers joined by "_")
  // designates inside the value at block data + offset; an empty path is the
  // value itself. The returned block holds one count for the caller; null
  // when the path leads nowhere.
  virtual MemoryBlock* ResolvePath(Memory& memory, std::string_view path, MemoryBlock* block, uint32_t offset,
                                   uint32_t& outOffset) const;
  // The printable name, such as "i32@" or "array<ui8,16>".
  virtual std::string GetName(const SymbolStore& symbols) const;
  // Calls the visitor for every member or element of the value at block
  // data + offset; basic types have none.
  virtual void VisitMembers(InstanceHandler& visitor, MemoryBlock* block, uint32_t offset) const;
  // Whether values of the type may cross into native code (strings may not).
  // On failure the error is filled and the positions from the offending
  // string outwards are appended to the trace.
  virtual bool IsSafeType(Error* error, std::vector<SourcePosition>& trace) const;
  // Whether a value is bytes only, with no string or address slot inside:
  // it copies with memcpy and its storage needs no member walk.
  virtual bool IsPlainData() const;

  // 2 for a reference to a reference, 1 for a reference, 0 for a value.
  uint32_t ReferenceMode() const {
    if (right_ != nullptr && right_->TypeId() == TYPE_REF) return 2;
    return left_ != nullptr && left_->TypeId() == TYPE_REF ? 1 : 0;
  }
  // A reference member of a structure (or library or error type) or a
  // reference element of an array: the storage is an address cell that
  // points at the referenced object.
  bool IsReferenceSlot() const {
    if (parent_ == nullptr || ReferenceMode() == 0) return false;
    const int32_t holder = parent_->TypeId();
    return holder == TYPE_AGGREGATE_TYPE || holder == TYPE_ARRAY || holder == TYPE_LIB || holder == TYPE_ERROR_TYPE;
  }

  // The declarations governed by this type; the type owns them.
  void AddItem(Node* item);
  const std::vector<Node*>& Items() const { return items_; }

 protected:
  // Alignment of a value held in place (not through an address).
  virtual uint32_t ValueAlignment() const;
  // "@", "@@" or empty, by reference mode.
  std::string_view ReferenceSuffix() const;
  // The text of the type's own symbol; empty when not in the store.
  const std::string& SymbolText(const SymbolStore& symbols) const;
  // Appends the own position to the trace and returns false: a container's
  // step when a part of it failed the safety check.
  bool TraceUnsafe(std::vector<SourcePosition>& trace) const;

 private:
  std::vector<Node*> items_;
  uint32_t size_;
  uint32_t alignment_;
  uint32_t kind_;
};

}  // namespace script
