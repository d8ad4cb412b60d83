#pragma once
// A block of statements: the program root, a function body or a nested block.
#include <cstdint>
#include <vector>

#include "Script/Debugger/BreakpointSet.h"
#include "Script/Expressions/Types/AggregateDefCollection.h"
#include "Script/Foundation/FrameSlot.h"

namespace script {

// Serializes a statement of a block or a body, ended by ";" unless it ends
// itself (blocks, control statements, definitions); an empty body (null)
// is a lone ";".
void SerializeStatement(Serializer* serializer, Node* statement);

class Scope : public AggregateDefCollection {
 public:
  Scope(const SourcePosition& position, Node* parent) : AggregateDefCollection(TYPE_SCOPE, position, parent) {}
  ~Scope() override;

  // Runs the statements in order, each through the thread's debugger gate;
  // a runtime error continues at the next error declaration of the scope.
  uint32_t Run(ExecContext* context) override;

  // The statements in order. The begin and end write "{" and "}" for a
  // block with braces; the root and a label's body have no symbol.
  void SerializeBody(Serializer* serializer) override;

  bool ReplaceChild(Node* wrapper) override { return PutWrapperInPlace(wrapper); }
  // Also finds `child` among the statements.
  bool SubstituteChild(Node* child, Node* replacement) override;

  // Appends a statement; the scope owns it.
  void AddStatement(Node* statement) { statements_.push_back(statement); }
  const std::vector<Node*>& Statements() const { return statements_; }

  // Breakpoints on the statements directly in this scope.
  BreakpointSet& Breakpoints() { return breakpoints_; }
  const BreakpointSet& Breakpoints() const { return breakpoints_; }

  // The frame layout of the frame this scope is the body of.
  const std::vector<FrameSlot>& FrameLayout() const { return frameLayout_; }
  uint32_t FrameSize() const { return frameSize_; }
  // Appends a slot of the given size at the next offset aligned to
  // `alignment`; returns that offset. The slot's index is the layout size - 1.
  uint32_t ReserveSlot(Type* type, const SourcePosition& declaration, uint32_t size, uint32_t alignment);

 private:
  // Runs one statement with a fresh result value, passing the gate first.
  uint32_t RunStatement(Node* statement, ExecContext* context);
  // The index of the next error declaration after `index`, or the count.
  std::size_t NextErrorDeclaration(std::size_t index) const;

  BreakpointSet breakpoints_;
  std::vector<Node*> statements_;  // owned, in source order
  std::vector<FrameSlot> frameLayout_;
  uint32_t frameSize_ = 0;
};

}  // namespace script
