#pragma once
// Increment and decrement operators. They hang in the left-link chain of
// the variable they apply to and register with the statement wrapper while
// the statement is checked: the wrapper runs the pre operators before the
// statement and the post operators after it, so inside the expression the
// variable reads as it is.
#include "Script/Expressions/Operators/Operator.h"

namespace script {

class OperatorPrePost : public Operator {
 public:
  // Checks the operand (a variable of an integer type, not reached through
  // a subscript or a call) and registers with the statement wrapper.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // Runs the head of the operand's access chain and steps the operand by one.
  uint32_t Run(ExecContext* context) override;
  // Integer operands only (the right type is not used).
  bool IsTypeAllowed(const Type* operand, const Type* right) const override;

  // Adds `one` (increment) or subtracts it (decrement); true on success.
  virtual bool ApplyStep(Value& target, const Value& one) const = 0;
  // Registers with the statement wrapper: GetPreExpression or GetPostExpression.
  virtual bool Register(PrePostExpressions** wrapper, Error* error) = 0;

  // Appends the node to the pre or post list of the wrapper in the holder,
  // creating the wrapper (at this node's position) when the holder is empty.
  bool GetPreExpression(PrePostExpressions** wrapper, Error* error);
  bool GetPostExpression(PrePostExpressions** wrapper, Error* error);

  // The variable the operator applies to: the parent, past the operators
  // before it in the chain and past a subscript; null without one.
  Node* Operand() const;

 protected:
  using Operator::Operator;

 private:
  bool Enlist(PrePostExpressions** wrapper, Error* error, bool pre, const char* function);
};

class OperatorInc : public OperatorPrePost {
 public:
  bool ApplyStep(Value& target, const Value& one) const override;

 protected:
  using OperatorPrePost::OperatorPrePost;
};

class OperatorDec : public OperatorPrePost {
 public:
  bool ApplyStep(Value& target, const Value& one) const override;

 protected:
  using OperatorPrePost::OperatorPrePost;
};

class OperatorPreInc final : public OperatorInc {
 public:
  OperatorPreInc(const SourcePosition& position, Node* parent) : OperatorInc(TYPE_PRE_INC_OP, position, parent) {}
  bool Register(PrePostExpressions** wrapper, Error* error) override { return GetPreExpression(wrapper, error); }
};

class OperatorPostInc final : public OperatorInc {
 public:
  OperatorPostInc(const SourcePosition& position, Node* parent) : OperatorInc(TYPE_POST_INC_OP, position, parent) {}
  bool Register(PrePostExpressions** wrapper, Error* error) override { return GetPostExpression(wrapper, error); }
};

class OperatorPreDec final : public OperatorDec {
 public:
  OperatorPreDec(const SourcePosition& position, Node* parent) : OperatorDec(TYPE_PRE_DEC_OP, position, parent) {}
  bool Register(PrePostExpressions** wrapper, Error* error) override { return GetPreExpression(wrapper, error); }
};

class OperatorPostDec final : public OperatorDec {
 public:
  OperatorPostDec(const SourcePosition& position, Node* parent) : OperatorDec(TYPE_POST_DEC_OP, position, parent) {}
  bool Register(PrePostExpressions** wrapper, Error* error) override { return GetPostExpression(wrapper, error); }
};

}  // namespace script
