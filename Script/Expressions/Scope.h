#pragma once
// A block of statements: the program root, a function body or a nested block.
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Script/Expressions/Types/AggregateDefCollection.h"

namespace script {

class Type;

// One variable whose slot lives in the frame a scope is the body of.
struct FrameSlot {
  Type* type;
  SourcePosition declaration;
};

class Scope : public AggregateDefCollection {
 public:
  Scope(const SourcePosition& position, Node* parent) : AggregateDefCollection(TYPE_SCOPE, position, parent) {}
  ~Scope() override;

  uint32_t Run(ExecContext* context) override;

  // Appends a statement; the scope owns it.
  void AddStatement(Node* statement) { statements_.push_back(statement); }
  const std::vector<Node*>& Statements() const { return statements_; }

  // The frame layout of the frame this scope is the body of.
  const std::vector<FrameSlot>& FrameLayout() const { return frameLayout_; }
  uint32_t FrameSize() const { return frameSize_; }
  // Reserves a slot of the given size and alignment; returns its offset.
  uint32_t ReserveSlot(Type* type, const SourcePosition& declaration, uint32_t size, uint32_t alignment);

 private:
  std::vector<Node*> statements_;  // owned, in source order
  std::vector<FrameSlot> frameLayout_;
  uint32_t frameSize_ = 0;
};

}  // namespace script
