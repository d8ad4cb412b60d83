#pragma once
// Assignment ("=") stores a value into a variable; reference assignment
// ("@=") rebinds a variable, or a reference member or element, to another
// object. Both leave the assigned variable as the caller's result, so that
// assignments chain.
#include "Script/Expressions/Operators/Operator.h"

namespace script {

class Memory;
class MemoryBlock;
class MemoryBlockRef;

class OperatorAssign : public Operator {
 public:
  OperatorAssign(const SourcePosition& position, Node* parent) : Operator(TYPE_ASSIGN, position, parent) {}

  // Runs the right side, then the left, and assigns converting to the left's type.
  uint32_t Run(ExecContext* context) override;
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // Whether a value of the right type may be assigned to the left type.
  bool IsTypeAllowed(const Type* left, const Type* right) const override;
};

class OperatorRefAssign : public Operator {
 public:
  OperatorRefAssign(const SourcePosition& position, Node* parent) : Operator(TYPE_REF_ASSIGN, position, parent) {}

  uint32_t Run(ExecContext* context) override;
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;

 private:
  // Copies a right side without block storage (a temporary) into new
  // storage of the left's type, which the left can be bound to.
  uint32_t GiveStorage(ExecContext* context, Value& right, Type* type) const;
  // Points the address cell at cell block data + offset at the object of
  // `target`: the cell's count moves from the old object to the new one.
  static void StoreAddress(Memory& heap, MemoryBlock* cellBlock, uint32_t offset, const MemoryBlockRef& target);
};

}  // namespace script
