#include "Script/Expressions/ControlFlow/SwitchNode.h"

#include "Script/Expressions/ControlFlow/SwitchLabels.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {

SwitchNode::~SwitchNode() {
  for (Node* label : labels_) delete label;
}

uint32_t SwitchNode::Run(ExecContext* context) {
  std::size_t start;
  {
    Value value;
    if (const uint32_t result = EvaluateCondition(context, value, "Switch statement value is NULL!");
        result != RUN_OK) {
      return result;
    }
    uint32_t key = 0;
    if (const ConversionStatus status = value.ReadAs(key); status != CONVERSION_OK) {
      return ReportRuntimeError(context, this, ConversionErrorMessage(status, value.ToText(), KIND_UI32));
    }
    if (auto found = cases_.find(key); found != cases_.end()) {
      start = found->second;
    } else if (defaultIndex_ != kNoDefault) {
      start = static_cast<std::size_t>(defaultIndex_);
    } else {
      return RUN_OK;
    }
  }
  for (std::size_t index = start; index < labels_.size(); ++index) {
    switch (const uint32_t result = labels_[index]->Run(context)) {
      case RUN_OK:
        break;
      case RUN_BREAK:
        return RUN_OK;
      case RUN_ERROR:
      case RUN_RETURN:
      case RUN_CONTINUE:
      case RUN_STOP:
        return result;
      default:
        return RUN_ERROR;
    }
  }
  return RUN_OK;
}

void SwitchNode::SerializeBegin(Serializer* serializer) {
  ConditionalNode::SerializeBegin(serializer);
  serializer->WriteToken(TYPE_EMPTY);
  serializer->WriteToken(TYPE_SCOPE);
}

void SwitchNode::SerializeBody(Serializer* serializer) {
  for (Node* label : labels_) label->Serialize(serializer);
}

void SwitchNode::SerializeEnd(Serializer* serializer) { serializer->WriteEndToken(TYPE_SCOPE); }

void SwitchNode::AddLabel(CaseNode* label) {
  label->SetParent(this);
  labels_.push_back(label);
}

bool SwitchNode::AddCaseValue(uint32_t value) {
  return !labels_.empty() && cases_.emplace(value, static_cast<uint32_t>(labels_.size() - 1)).second;
}

bool SwitchNode::AddDefault(DefaultNode* label) {
  if (defaultIndex_ != kNoDefault) return false;
  defaultIndex_ = static_cast<int32_t>(labels_.size());
  label->SetParent(this);
  labels_.push_back(label);
  return true;
}

}  // namespace script
