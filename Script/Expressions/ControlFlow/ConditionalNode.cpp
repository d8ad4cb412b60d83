#include "Script/Expressions/ControlFlow/ConditionalNode.h"

#include "Script/Expressions/Scope.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {

ConditionalNode::~ConditionalNode() { delete condition_; }

void ConditionalNode::SetCondition(Node* condition) {
  if (condition == condition_) return;
  delete condition_;
  condition_ = condition;
  if (condition != nullptr) condition->SetParent(this);
}

bool ConditionalNode::SubstituteChild(Node* child, Node* replacement) {
  if (child == nullptr || child != condition_) return Node::SubstituteChild(child, replacement);
  condition_ = replacement;
  if (replacement != nullptr) replacement->SetParent(this);
  return true;
}

void ConditionalNode::SerializeBegin(Serializer* serializer) {
  serializer->WriteSymbol(Position());
  if (condition_ != nullptr) condition_->Serialize(serializer);
}

void ConditionalNode::SerializeBody(Serializer* serializer) { SerializeStatement(serializer, left_); }

uint32_t ConditionalNode::EvaluateCondition(ExecContext* context, Value& value, const char* nullMessage) const {
  if (condition_ == nullptr) return ReportRuntimeError(context, this, nullMessage);
  ExecContext child = context->ForChild(&value);
  if (const uint32_t result = condition_->Run(&child); result != RUN_OK) return result;
  if (value.Kind() == KIND_NONE) return ReportRuntimeError(context, this, nullMessage);
  return RUN_OK;
}

}  // namespace script
