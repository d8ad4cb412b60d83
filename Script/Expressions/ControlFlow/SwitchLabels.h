#pragma once
// The labels of a switch: "case VALUE:" and "default:". The left child is the
// label's body scope, absent while the label has no statements.
#include "Script/Expressions/ControlFlow/ConditionalNode.h"
#include "Script/Expressions/Types/AggregateSymbol.h"

namespace script {

class CaseNode : public AggregateSymbol, public BreakableNode {
 public:
  CaseNode(const SourcePosition& position, Node* parent) : BreakableNode(TYPE_CASE, position, parent) {}

  // Runs the body scope; RUN_OK without one.
  uint32_t Run(ExecContext* context) override { return left_ != nullptr ? left_->Run(context) : RUN_OK; }
  // After the keyword: the value's tokens, ":" and the body's statements.
  void SerializeBody(Serializer* serializer) override;
};

class DefaultNode : public BreakableNode {
 public:
  DefaultNode(const SourcePosition& position, Node* parent) : BreakableNode(TYPE_DEFAULT, position, parent) {}

  // Runs the body scope; RUN_OK without one.
  uint32_t Run(ExecContext* context) override { return left_ != nullptr ? left_->Run(context) : RUN_OK; }
  // After the keyword: ":" and the body's statements.
  void SerializeBody(Serializer* serializer) override;
};

}  // namespace script
