#include "Script/Debugger/DebuggerState.h"

#include "Script/Debugger/DebuggerStateMachine.h"

namespace script {

DebuggerState* DebuggerState::Run() {
  if (DebuggerAction* listener = Listener()) listener->Run();
  return &machine_->run_;
}

DebuggerState* DebuggerState::Stop() {
  if (DebuggerAction* listener = Listener()) listener->Stop();
  return &machine_->stop_;
}

DebuggerState* DebuggerState::Pause(uint32_t threadId) {
  if (DebuggerAction* listener = Listener()) listener->Pause(threadId);
  return &machine_->pause_;
}

DebuggerState* DebuggerState::StepIn() {
  if (DebuggerAction* listener = Listener()) listener->StepIn();
  return &machine_->stepIn_;
}

DebuggerState* DebuggerState::Step() {
  if (DebuggerAction* listener = Listener()) listener->Step();
  return &machine_->step_;
}

DebuggerState* DebuggerState::StepOut() {
  if (DebuggerAction* listener = Listener()) listener->StepOut();
  return &machine_->stepOut_;
}

}  // namespace script
