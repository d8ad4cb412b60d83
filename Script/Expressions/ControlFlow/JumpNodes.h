#pragma once
// break and continue: they end their run with the code that the enclosing
// loop (or switch, for break) consumes.
#include "Script/Expressions/Node.h"

namespace script {

class Break : public Node {
 public:
  Break(const SourcePosition& position, Node* parent) : Node(TYPE_BREAK, position, parent) {}

  uint32_t Run(ExecContext*) override { return RUN_BREAK; }
  // A break is no expression.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
};

class Continue : public Node {
 public:
  Continue(const SourcePosition& position, Node* parent) : Node(TYPE_CONTINUE, position, parent) {}

  uint32_t Run(ExecContext*) override { return RUN_CONTINUE; }
  // A continue is no expression.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
};

}  // namespace script
