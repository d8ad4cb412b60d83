#pragma once
// The debugger's statement gate for statements that a node runs itself: a
// branch, a loop body, a for step, a while condition.
#include <cstdint>

#include "Script/Debugger/FlowSemaphor.h"
#include "Script/Expressions/Scope.h"
#include "Script/Stack/StackMemory.h"

namespace script {

// Records `statement` as the frame's current statement and lets the thread's
// gate hold, step or stop the thread before it. RUN_STOP when the run is to
// unwind, else RUN_OK. Blocks pass the gate with their own statements; a
// thread without a gate runs freely.
inline uint32_t PassStatementGate(const ExecContext* context, const Node* statement) {
  StackMemory* thread = context->thread;
  if (thread == nullptr || statement->TypeId() == TYPE_SCOPE) return RUN_OK;
  FlowSemaphor* gate = thread->Gate();
  if (gate == nullptr) return RUN_OK;
  thread->CurrentFrame()->currentStatement = statement;
  static const BreakpointSet kNoBreakpoints;
  const BreakpointSet& breakpoints = context->scope != nullptr ? context->scope->Breakpoints() : kNoBreakpoints;
  return gate->CheckStatement(statement, static_cast<uint32_t>(thread->CurrentFrameIndex()), breakpoints);
}

}  // namespace script
