#pragma once
// The base of the operator nodes. Two-operand operators keep the left
// operand as the left child and the right operand as the right child; the
// one-operand "!" and "~" keep theirs as the right child.

#include "Script/Diagnostics/ErrorCode.h"
#include "Script/Expressions/Node.h"

namespace script {

class Value;

class Operator : public Node {
 public:
  Operator(int32_t typeId, const SourcePosition& position, Node* parent) : Node(typeId, position, parent) {}

  // Concrete operators override the check; the base may not stand in an
  // expression.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // Operators write their symbol in the body only: their type ids are no
  // opening or closing tokens (28 and 32 would spell "<" and ">").
  void SerializeBegin(Serializer*) override {}
  void SerializeEnd(Serializer*) override {}
  // Left operand, a blank, the own symbol, a blank, right operand.
  void SerializeBody(Serializer* serializer) override;

  // Whether the operator applies to operands of these types (the right one
  // is null for one-operand operators).
  virtual bool IsTypeAllowed(const Type* left, const Type* right) const;

 protected:
  // Runs a child into `value` with a fresh context; a value without a kind
  // is reported as a runtime error with `nullMessage`.
  uint32_t Evaluate(ExecContext* context, Node* child, Value& value, const char* nullMessage) const;
  // As Evaluate, for an operand that is only read: the value of a scalar
  // variable is copied rather than referenced, which spares the counts.
  uint32_t ReadOperand(ExecContext* context, Node* child, Value& value, const char* nullMessage) const;
  // The caller's result value, or `local` when the caller wants none.
  static Value& ResultOf(ExecContext* context, Value& local);
  // Runs an operand with the caller's context but into `target`, so that an
  // assigned variable's storage becomes the caller's result.
  static uint32_t RunInto(Node* operand, ExecContext* context, Value& target);
  // Assigns the source to the target; a string that does not read as the
  // target's number is reported as a runtime error.
  uint32_t AssignTo(ExecContext* context, Value& target, const Value& source) const;
  // Fills the error record with a failed check of this node raised by
  // `function` and returns false.
  bool Reject(Error* error, ErrorCode code, const char* function,
              int32_t moduleLine = __builtin_LINE()) const;

 private:
  // The end of Evaluate and ReadOperand: the child's result, or a runtime
  // error for a child that yielded no value.
  uint32_t CheckEvaluated(ExecContext* context, uint32_t result, const Value& value, const char* nullMessage) const;
};

}  // namespace script
