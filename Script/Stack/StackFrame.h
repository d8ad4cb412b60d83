#pragma once
// One activation on a thread's stack: a slot per variable of the frame.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace script {

class MemoryBlockRef;
class Node;
class Scope;

// A variable's storage, and the stack of rebindings of a slot whose
// binding changes while the frame lives (slot index bit 30). The first
// `bound` handles are the pushed bindings; those above are spares pointing
// nowhere, kept for the next push so that binding allocates nothing.
struct StackSlot {
  MemoryBlockRef* ref = nullptr;
  std::vector<MemoryBlockRef*>* rebindings = nullptr;  // null until used
  uint32_t bound = 0;
};

struct StackFrame {
  std::vector<StackSlot> slots;
  Node* calledNode = nullptr;  // the function called; null for the program root
  Scope* body = nullptr;
  // The statement the frame stands at; written by the frame's thread before
  // each statement, read by the debugger.
  const Node* currentStatement = nullptr;
  // A call's frame laid out from its body's frame layout (PushFrame): its
  // slots may serve the next call of the same body.
  bool laidOut = false;
  // The bytes the frame counts against its thread's limit.
  std::size_t bytes = 0;
};

}  // namespace script
