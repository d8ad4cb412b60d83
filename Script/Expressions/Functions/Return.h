#pragma once
// The return statement. Its right child is the returned expression (absent
// for "return;"). A value returned by value is converted to the function's
// return type, as an assignment to a variable of that type would convert it;
// a reference return hands over the expression's storage itself.
#include "Script/Expressions/Node.h"

namespace script {

class Return : public Node {
 public:
  Return(const SourcePosition& position, Node* parent) : Node(TYPE_RETURN, position, parent) {}

  // Puts the returned value into the caller's result; RUN_RETURN.
  uint32_t Run(ExecContext* context) override;
  // The expression against the enclosing function's return type.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // "return", then a blank and the expression.
  void SerializeBody(Serializer* serializer) override;
  bool ReplaceChild(Node* wrapper) override { return PutWrapperInPlace(wrapper); }

 private:
  Type* returnType_ = nullptr;  // the enclosing function's, fixed by the check
};

}  // namespace script
