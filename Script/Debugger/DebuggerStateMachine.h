#pragma once
// The debugger's current state, one per interpreter. Commands take the lock
// only by attempt: a command that finds it busy is dropped, so a script
// thread stopping at a statement and the application issuing a command never
// wait for each other. Lock order: this lock, then the handler's, then a
// gate's.
#include <atomic>
#include <cstdint>

#include "Script/Debugger/DebuggerState.h"
#include "Script/Platform/CriticalSection.h"

namespace script {

class DebuggerStateMachine {
 public:
  DebuggerStateMachine() = default;
  DebuggerStateMachine(const DebuggerStateMachine&) = delete;
  DebuggerStateMachine& operator=(const DebuggerStateMachine&) = delete;

  // Connects every state to the listener (the handler); Detach clears it.
  void Attach(DebuggerAction* listener);
  void Detach();

  // Back to the state a new run starts in; only while no script thread runs.
  void Restart() { current_.store(&stop_, std::memory_order_release); }

  // Apply a command to the current state; false when dropped (lock busy).
  bool Run();
  bool Stop();
  bool Pause(uint32_t threadId);
  bool StepIn();
  bool Step();
  bool StepOut();
  // Forwarded to the listener without the lock; false without a debugger.
  bool SetBreakpoint(uint32_t file, uint32_t lineIndex, bool set);

  DebuggerState* Current() const { return current_.load(std::memory_order_acquire); }

 private:
  friend class DebuggerState;

  template <typename Command>
  bool Apply(Command command);

  platform::CriticalSection lock_;
  DebuggerStop stop_{this};
  DebuggerRun run_{this};
  DebuggerPause pause_{this};
  DebuggerStepIn stepIn_{this};
  DebuggerStep step_{this};
  DebuggerStepOut stepOut_{this};
  std::atomic<DebuggerState*> current_{&stop_};
};

}  // namespace script
