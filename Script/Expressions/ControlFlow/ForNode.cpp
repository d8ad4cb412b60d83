#include "Script/Expressions/ControlFlow/ForNode.h"

#include "Script/Expressions/ControlFlow/StatementGate.h"
#include "Script/Expressions/Scope.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Values/Value.h"

namespace script {

ForNode::~ForNode() { delete initialiser_; }

uint32_t ForNode::Run(ExecContext* context) {
  // One value serves every clause: emptied before each use, never reallocated.
  Value value;
  ExecContext clause = context->ForChild(&value);
  if (initialiser_ != nullptr) {
    if (const uint32_t result = initialiser_->Run(&clause); result != RUN_OK) return result;
  }
  for (;;) {
    if (condition_ != nullptr) {
      value.Reset();
      if (const uint32_t result = EvaluateCondition(context, value, "Condition value is NULL!"); result != RUN_OK) {
        return result;
      }
      if (!value.ToBool()) return RUN_OK;
    }
    if (left_ != nullptr) {
      if (PassStatementGate(context, left_) == RUN_STOP) return RUN_STOP;
      if (uint32_t outcome; EndsLoop(left_->Run(context), outcome)) return outcome;
    }
    if (right_ != nullptr) {
      if (PassStatementGate(context, right_) == RUN_STOP) return RUN_STOP;
      value.Reset();
      if (const uint32_t result = right_->Run(&clause); result != RUN_OK) return result;
    }
  }
}

void ForNode::SerializeBegin(Serializer* serializer) { serializer->WriteSymbol(Position()); }

void ForNode::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_PARENTHESIS);
  if (initialiser_ != nullptr) initialiser_->Serialize(serializer);
  serializer->WriteEndToken(TYPE_SEMICOLON);
  serializer->WriteToken(TYPE_EMPTY);
  if (condition_ != nullptr) condition_->Serialize(serializer);
  serializer->WriteEndToken(TYPE_SEMICOLON);
  serializer->WriteToken(TYPE_EMPTY);
  if (right_ != nullptr) right_->Serialize(serializer);
  serializer->WriteEndToken(TYPE_PARENTHESIS);
  serializer->WriteToken(TYPE_EMPTY);
  SerializeStatement(serializer, left_);
}

bool ForNode::SubstituteChild(Node* child, Node* replacement) {
  if (child == nullptr || child != initialiser_) return BreakableNode::SubstituteChild(child, replacement);
  initialiser_ = replacement;
  if (replacement != nullptr) replacement->SetParent(this);
  return true;
}

Node* ForNode::Clause() const {
  switch (part_) {
    case PART_INITIALISER:
      return initialiser_;
    case PART_CONDITION:
      return condition_;
    case PART_STEP:
      return right_;
    default:
      return left_;
  }
}

void ForNode::SetClause(Node* expression) {
  expression->SetParent(this);
  switch (part_) {
    case PART_INITIALISER:
      delete initialiser_;
      initialiser_ = expression;
      break;
    case PART_CONDITION:
      SetCondition(expression);
      break;
    case PART_STEP:
      SetRight(expression);
      break;
    default:
      SetLeft(expression);
      break;
  }
}

}  // namespace script
