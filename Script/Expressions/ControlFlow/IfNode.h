#pragma once
// if (condition) then-statement [else else-statement]. The left child is the
// then-statement, the right child the else-statement; either may be absent.
#include "Script/Expressions/ControlFlow/ConditionalNode.h"

namespace script {

class IfNode : public ConditionalNode {
 public:
  IfNode(const SourcePosition& position, Node* parent) : ConditionalNode(TYPE_IF, position, parent) {}

  // Runs the branch the condition's truth selects, after the statement gate.
  uint32_t Run(ExecContext* context) override;
  // The then-statement, and "else" with the else-statement.
  void SerializeBody(Serializer* serializer) override;

  // While compiling: the branch new statements go to.
  bool BuildsElse() const { return buildsElse_; }
  void BeginElse() { buildsElse_ = true; }
  Node* BranchBeingBuilt() const { return buildsElse_ ? right_ : left_; }
  // Attaches a statement as the branch being built.
  void SetBranch(Node* statement);

 private:
  bool buildsElse_ = false;
};

}  // namespace script
