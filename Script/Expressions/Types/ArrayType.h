#pragma once
// An array type: a fixed array with one element count per dimension, or a
// dynamic array whose one dimension is an expression evaluated when the
// declaration runs. The first index of a subscript varies fastest.
#include <cstdint>
#include <span>
#include <vector>

#include "Script/Expressions/Types/AggregateSymbol.h"
#include "Script/Expressions/Types/Type.h"

namespace script {

class ArrayType : public AggregateSymbol, public Type {
 public:
  ArrayType(const SourcePosition& position, Node* parent) : Type(TYPE_ARRAY, position, parent) {}
  // Deletes the element type and the dimension expression.
  ~ArrayType() override;

  // A dynamic array first gives each declared variable new storage of the
  // element count its dimension expression yields; then runs as any type.
  uint32_t Run(ExecContext* context) override;
  // Also replaces the dimension expression (operator insertion, wrappers).
  bool SubstituteChild(Node* child, Node* replacement) override;
  // "<", the element type, "," and the dimensions, ">", then as any type.
  void SerializeBody(Serializer* serializer) override;

  // Element slot size times the element count; 0 without fixed dimensions.
  uint32_t GetSize() const override;
  // An array whose elements are the same type with the same reference mode.
  bool IsCompatible(const Type* other) const override;
  // Compatible, and of equal size unless either side has no dimensions.
  bool IsSameType(const Type* other) const override;
  // Copies element by element, as many as both blocks and a fixed array hold.
  void CopyValue(Memory& memory, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
                 uint32_t sourceOffset) const override;
  // "n...": element n, then the rest in that element.
  MemoryBlock* ResolvePath(Memory& memory, std::string_view path, MemoryBlock* block, uint32_t offset,
                           uint32_t& outOffset) const override;
  // "array<ui8,16>", or "array<ui8>" without dimensions.
  std::string GetName(const SymbolStore& symbols) const override;
  void VisitMembers(InstanceHandler& visitor, MemoryBlock* block, uint32_t offset) const override;
  bool IsSafeType(Error* error, std::vector<SourcePosition>& trace) const override;
  bool IsPlainData() const override;

  // The element type; the array owns it and is its parent, unless it is a
  // shared built-in singleton.
  void SetElementType(Type* element);
  Type* ElementType() const { return elementType_; }
  // Appends a fixed dimension read from the tokens with the given symbols
  // (a number, with its sign when it has one).
  void AddDimension(uint32_t count, std::span<const uint32_t> tokens);
  const std::vector<uint32_t>& Dimensions() const { return dimensions_; }
  // The product of the dimensions; 0 for a dynamic array.
  uint32_t ElementCount() const { return elementCount_; }
  // The expression giving a dynamic array's element count; the array owns it.
  void SetDimensionExpression(Node* expression);
  Node* DimensionExpression() const { return dimensionExpression_; }

  // The elements that lie at block data + offset: all that fit in the block,
  // at most the element count of a fixed array.
  uint32_t ElementsIn(const MemoryBlock* block, uint32_t offset) const;

 protected:
  uint32_t ValueAlignment() const override;

 private:
  // Evaluates the dimension expression into an element count; RUN_ERROR
  // (reported) when it is negative or the storage would not fit 32 bits.
  uint32_t RunElementCount(ExecContext* context, uint32_t& count) const;
  // New storage for a declared variable of a dynamic array.
  uint32_t AllocateStorage(ExecContext* context, const Node* item, uint32_t bytes);

  std::vector<uint32_t> dimensions_;
  // Where each dimension's tokens end in the symbol list.
  std::vector<std::size_t> dimensionTokenEnds_;
  uint32_t elementCount_ = 0;
  Type* elementType_ = nullptr;
  Node* dimensionExpression_ = nullptr;
};

}  // namespace script
