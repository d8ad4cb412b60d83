#include "Script/Debugger/DebuggerStateMachine.h"

#include <initializer_list>

namespace script {

void DebuggerStateMachine::Attach(DebuggerAction* listener) {
  for (DebuggerState* state :
       std::initializer_list<DebuggerState*>{&stop_, &run_, &pause_, &stepIn_, &step_, &stepOut_})
    state->SetListener(listener);
}

void DebuggerStateMachine::Detach() { Attach(nullptr); }

template <typename Command>
bool DebuggerStateMachine::Apply(Command command) {
  if (!lock_.TryEnter()) return false;
  current_.store(command(Current()), std::memory_order_release);
  lock_.Leave();
  return true;
}

bool DebuggerStateMachine::Run() {
  return Apply([](DebuggerState* state) { return state->Run(); });
}

bool DebuggerStateMachine::Stop() {
  return Apply([](DebuggerState* state) { return state->Stop(); });
}

bool DebuggerStateMachine::Pause(uint32_t threadId) {
  return Apply([threadId](DebuggerState* state) { return state->Pause(threadId); });
}

bool DebuggerStateMachine::StepIn() {
  return Apply([](DebuggerState* state) { return state->StepIn(); });
}

bool DebuggerStateMachine::Step() {
  return Apply([](DebuggerState* state) { return state->Step(); });
}

bool DebuggerStateMachine::StepOut() {
  return Apply([](DebuggerState* state) { return state->StepOut(); });
}

bool DebuggerStateMachine::SetBreakpoint(uint32_t file, uint32_t lineIndex, bool set) {
  DebuggerAction* listener = Current()->Listener();
  return listener != nullptr && listener->SetBreakpoint(file, lineIndex, set);
}

}  // namespace script
