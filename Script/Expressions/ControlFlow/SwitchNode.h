#pragma once
// switch (value) { labels }. The labels (case and default) are owned in
// source order; the case map leads from a case value, as an unsigned 32-bit
// number, to its label.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Script/Expressions/ControlFlow/ConditionalNode.h"

namespace script {

class CaseNode;
class DefaultNode;

class SwitchNode : public BreakableNode {
 public:
  SwitchNode(const SourcePosition& position, Node* parent) : BreakableNode(TYPE_SWITCH, position, parent) {}
  ~SwitchNode() override;

  // Runs the labels from the one the value selects (or the default) to the
  // end: without a break the bodies fall through.
  uint32_t Run(ExecContext* context) override;

  // "switch", the condition and "{"; the labels; "}".
  void SerializeBegin(Serializer* serializer) override;
  void SerializeBody(Serializer* serializer) override;
  void SerializeEnd(Serializer* serializer) override;

  // Appends a case label, whose value follows (AddCaseValue).
  void AddLabel(CaseNode* label);
  // Leads `value` to the last label; false when the value has a label already.
  bool AddCaseValue(uint32_t value);
  // Appends the default label; false (nothing added) when there is one.
  bool AddDefault(DefaultNode* label);
  const std::vector<Node*>& Labels() const { return labels_; }

 private:
  static constexpr int32_t kNoDefault = -1;

  std::unordered_map<uint32_t, uint32_t> cases_;  // value -> label index
  std::vector<Node*> labels_;                     // owned, in source order
  int32_t defaultIndex_ = kNoDefault;
};

}  // namespace script
