#pragma once
// The "." of an access chain such as p.q.r: its parent holds the structure,
// its right child is the member variable (a Variable whose member offset is
// set). The member is reached inside the parent's object and bound to the
// member variable's rebinding slot while that variable runs.
#include "Script/Expressions/Operators/Operator.h"

namespace script {

class MemberAccess : public Operator {
 public:
  MemberAccess(const SourcePosition& position, Node* parent) : Operator(TYPE_DOT, position, parent) {}

  uint32_t Run(ExecContext* context) override;
  // The member variable's check; a missing member is a syntax error.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // ".", then the member variable.
  void SerializeBody(Serializer* serializer) override;
};

}  // namespace script
