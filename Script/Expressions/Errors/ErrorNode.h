#pragma once
// An error declaration, error (e) { ... }: the statement a scope continues
// at after a runtime error (it is skipped otherwise). The left child is the
// body scope, which declares the error variable; the right child is that
// variable.
#include "Script/Expressions/Node.h"

namespace script {

class ErrorVariable;
class Scope;

class ErrorNode : public Node {
 public:
  ErrorNode(const SourcePosition& position, Node* parent) : Node(TYPE_ERROR, position, parent) {}

  // Fills the error variable from the running thread's last runtime error,
  // then runs the body; returns the body's result.
  uint32_t Run(ExecContext* context) override;
  // "(", the variable, ")", a blank, the body (the keyword is the begin code).
  void SerializeBody(Serializer* serializer) override;

  // Both are owned from here on.
  void SetBody(Scope* body);
  void SetInstance(ErrorVariable* variable);
  Scope* Body() const;
  ErrorVariable* Instance() const;
};

}  // namespace script
