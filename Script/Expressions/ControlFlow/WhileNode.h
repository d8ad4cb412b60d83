#pragma once
// while (condition) body. The left child is the body (absent for an empty one).
#include "Script/Expressions/ControlFlow/ConditionalNode.h"

namespace script {

class WhileNode : public BreakableNode {
 public:
  WhileNode(const SourcePosition& position, Node* parent) : BreakableNode(TYPE_WHILE, position, parent) {}

  // Each round passes the gate before the condition and before the body.
  uint32_t Run(ExecContext* context) override;
};

}  // namespace script
