#pragma once
// The brackets of an array access, A[i, j]: one index expression per
// dimension (owned), the first index varying fastest. The parent holds the
// array (a variable, an enclosing subscript whose element is an array, or a
// function call returning one). The element is handed to the rest of the
// access chain (the right child) through the binding slot; the left child
// is the increment and decrement chain applied to the element.
#include <cstdint>
#include <vector>

#include "Script/Expressions/Node.h"

namespace script {

class ArrayType;
struct ReachedObject;

class SubscriptNode : public Node {
 public:
  static constexpr uint32_t kNoBindingSlot = 0xFFFFFFFFu;

  SubscriptNode(const SourcePosition& position, Node* parent) : Node(TYPE_SUBSCRIPT, position, parent) {}
  // Deletes the index expressions.
  ~SubscriptNode() override;

  // Points the result value at the element, or runs the rest of the chain on it.
  uint32_t Run(ExecContext* context) override;
  // Checks each index (wrapping one that holds increments or decrements in
  // its own statement wrapper), then the rest of the chain; without one the
  // result type is the element type.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // The indices separated by ",".
  void SerializeBody(Serializer* serializer) override;
  // "]", then the rest of the chain.
  void SerializeEnd(Serializer* serializer) override;
  // Puts a statement wrapper in place of the index it wraps.
  bool ReplaceChild(Node* wrapper) override;
  // Also finds `child` among the indices.
  bool SubstituteChild(Node* child, Node* replacement) override;

  // Appends an index expression; the subscript owns it and becomes its parent.
  void AddIndex(Node* index);
  const std::vector<Node*>& Indices() const { return indices_; }
  // Open while the compiler still reads indices; "]" closes it.
  bool IsOpen() const { return open_; }
  void Close() { open_ = false; }
  // The slot through which the element reaches the rest of the chain (a
  // rebinding slot, bit 30); kNoBindingSlot until the compiler reserves one.
  uint32_t BindingSlot() const { return bindingSlot_; }
  void SetBindingSlot(uint32_t slot) { bindingSlot_ = slot; }

  // The array subscripted: the parent variable's type, or the element type
  // of a parent subscript; null when the parent holds no array.
  ArrayType* BaseArrayType() const;

 private:
  // The element's byte offset from the array's start: runs the indices.
  uint32_t ElementOffset(ExecContext* context, const ArrayType& array, uint64_t& byteOffset);
  // Runs one index expression (with its increments and decrements) and
  // reads it as a 32-bit number.
  uint32_t RunIndex(ExecContext* context, Node* index, int64_t& number);
  // Points the result value at the element reached.
  void PointResultAt(ExecContext* context, Type* element, const ReachedObject& reached) const;
  // Runs a function call on the bound element into a value of its own.
  uint32_t RunCall(ExecContext* context);

  std::vector<Node*> indices_;
  uint32_t bindingSlot_ = kNoBindingSlot;
  bool open_ = true;
};

}  // namespace script
