#pragma once
// Two-operand operators, which apply a value operation to their operands,
// and compound assignments, which store that result back into the left
// operand.
#include "Script/Expressions/Operators/Operator.h"
#include "Script/Values/ValueOperations.h"

namespace script {

class MathOperator : public Operator {
 public:
  // The operation is one of the free functions of ValueOperations.h.
  MathOperator(int32_t typeId, const SourcePosition& position, Node* parent, ValueOperation operation);

  // A comparison gives a bool; every other operation computes into a copy
  // of the left value, so that the operands stay unchanged.
  uint32_t Run(ExecContext* context) override;
  // Both operands, then the type check; comparisons and the logical
  // operators give bool, the others the left type.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;

  ValueOperation Operation() const { return operation_; }

 protected:
  // Checks both operands and the operator's type rule, reporting under
  // `function`; the operand types are returned.
  bool CheckOperands(Type*& leftType, PrePostExpressions** wrapper, Error* error, const char* function);

 private:
  ValueOperation operation_;
  bool comparison_;  // the operation answers OPERATION_TRUE or OPERATION_FALSE
};

class MathAssignOperator : public MathOperator {
 public:
  using MathOperator::MathOperator;

  // Computes left op right, then assigns the outcome to the left operand,
  // which becomes the caller's result.
  uint32_t Run(ExecContext* context) override;
  // As a two-operand operator; the result type is the left type.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
};

}  // namespace script
