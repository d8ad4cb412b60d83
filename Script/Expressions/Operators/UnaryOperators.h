#pragma once
// The one-operand operators "!" and "~". The operand is the right child; it
// is read, never changed.
#include "Script/Expressions/Operators/Operator.h"

namespace script {

class OperatorNot : public Operator {
 public:
  OperatorNot(const SourcePosition& position, Node* parent) : Operator(TYPE_NOT, position, parent) {}

  // The bool opposite to the operand's truth.
  uint32_t Run(ExecContext* context) override;
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  bool IsTypeAllowed(const Type*, const Type*) const override { return true; }
};

class OperatorBitNot : public Operator {
 public:
  OperatorBitNot(const SourcePosition& position, Node* parent) : Operator(TYPE_BIT_NOT, position, parent) {}

  // The operand's bitwise complement, in the operand's type.
  uint32_t Run(ExecContext* context) override;
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // Integer operands only (the right type is not used).
  bool IsTypeAllowed(const Type* operand, const Type* right) const override;
};

}  // namespace script
