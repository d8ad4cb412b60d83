#pragma once
// for (initialiser; condition; step) body. The left child is the body, the
// right child the step; the initialiser and the condition are owned apart.
// Each of the four may be absent.
#include <cstdint>

#include "Script/Expressions/ControlFlow/ConditionalNode.h"

namespace script {

class ForNode : public BreakableNode {
 public:
  // The part of the statement the compiler is reading.
  enum Part : uint32_t { PART_INITIALISER, PART_CONDITION, PART_STEP, PART_BODY };

  ForNode(const SourcePosition& position, Node* parent) : BreakableNode(TYPE_FOR, position, parent) {}
  ~ForNode() override;

  // The loop: initialiser once, then condition, gated body and gated step
  // until the condition is false or the body breaks, returns, fails or stops.
  uint32_t Run(ExecContext* context) override;

  // "for", then "(" initialiser ";" condition ";" step ")" and the body.
  void SerializeBegin(Serializer* serializer) override;
  void SerializeBody(Serializer* serializer) override;

  // Also finds `child` in the initialiser.
  bool SubstituteChild(Node* child, Node* replacement) override;

  Node* Initialiser() const { return initialiser_; }

  // While compiling: the part being read and the clause it holds.
  Part PartBeingRead() const { return part_; }
  void NextPart() { part_ = static_cast<Part>(part_ + 1); }
  Node* Clause() const;
  // Takes ownership of the expression of the clause being read.
  void SetClause(Node* expression);

 private:
  Node* initialiser_ = nullptr;  // owned
  Part part_ = PART_INITIALISER;
};

}  // namespace script
