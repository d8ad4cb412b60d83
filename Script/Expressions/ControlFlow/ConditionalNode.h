#pragma once
// Statements with a condition (if, while, for, switch), and the loops and
// switch labels that consume a break.
#include "Script/Expressions/Node.h"

namespace script {

class Value;

class ConditionalNode : public Node {
 public:
  using Node::Node;
  ~ConditionalNode() override;

  Node* Condition() const { return condition_; }
  // Takes ownership of the condition; a previous one is deleted.
  void SetCondition(Node* condition);

  // The keyword, then the condition.
  void SerializeBegin(Serializer* serializer) override;
  // The body statement (a while loop's).
  void SerializeBody(Serializer* serializer) override;

  // A statement wrapper of the condition or of a child takes its place.
  bool ReplaceChild(Node* wrapper) override { return PutWrapperInPlace(wrapper); }
  // Also finds `child` in the condition.
  bool SubstituteChild(Node* child, Node* replacement) override;

 protected:
  // Runs the condition into `value`; RUN_ERROR with `nullMessage` reported
  // when it yields no value.
  uint32_t EvaluateCondition(ExecContext* context, Value& value, const char* nullMessage) const;

  Node* condition_ = nullptr;  // owned
};

// Nodes that consume RUN_BREAK: loops, the switch and its labels.
class BreakableNode : public ConditionalNode {
 public:
  using ConditionalNode::ConditionalNode;

 protected:
  // What a loop does with its body's result: true when the loop ends, with
  // `outcome` its own result. RUN_OK and RUN_CONTINUE go on, RUN_BREAK ends
  // the loop normally, errors, returns and stops travel up, and anything
  // else counts as an error.
  static bool EndsLoop(uint32_t result, uint32_t& outcome) {
    switch (result) {
      case RUN_OK:
      case RUN_CONTINUE:
        return false;
      case RUN_BREAK:
        outcome = RUN_OK;
        return true;
      case RUN_ERROR:
      case RUN_RETURN:
      case RUN_STOP:
        outcome = result;
        return true;
      default:
        outcome = RUN_ERROR;
        return true;
    }
  }
};

}  // namespace script
