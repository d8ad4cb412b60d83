#pragma once
// A parenthesised expression; the inner expression is the right child.
#include "Script/Expressions/Node.h"

namespace script {

class Parenthesis : public Node {
 public:
  Parenthesis(const SourcePosition& position, Node* parent) : Node(TYPE_PARENTHESIS, position, parent) {}

  // Runs the inner expression with the same context.
  uint32_t Run(ExecContext* context) override;
  // The parenthesis must be closed and hold an expression, whose check it returns.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // "(", the inner expression, ")".
  void SerializeBegin(Serializer* serializer) override;
  void SerializeBody(Serializer* serializer) override;
  void SerializeEnd(Serializer* serializer) override;

  // Set by the compiler when it meets the closing ")".
  bool IsClosed() const { return closed_; }
  void Close() { closed_ = true; }

 private:
  bool closed_ = false;
};

}  // namespace script
