#pragma once
// The debugger states. A command applied to the current state returns the
// next current state; a change is passed on to the listener (the handler)
// when a debugger is attached, and happens silently otherwise. By default a
// command moves to the state of its name; each state overrides the commands
// it ignores.
#include <atomic>
#include <cstdint>

#include "Script/Debugger/DebuggerAction.h"

namespace script {

class DebuggerStateMachine;

class DebuggerState {
 public:
  explicit DebuggerState(DebuggerStateMachine* machine) : machine_(machine) {}
  DebuggerState(const DebuggerState&) = delete;
  DebuggerState& operator=(const DebuggerState&) = delete;
  virtual ~DebuggerState() = default;

  virtual DebuggerState* Run();
  virtual DebuggerState* Stop();
  virtual DebuggerState* Pause(uint32_t threadId);
  virtual DebuggerState* StepIn();
  virtual DebuggerState* Step();
  virtual DebuggerState* StepOut();

  DebuggerAction* Listener() const { return listener_.load(std::memory_order_acquire); }
  void SetListener(DebuggerAction* listener) { listener_.store(listener, std::memory_order_release); }

 private:
  DebuggerStateMachine* machine_;
  std::atomic<DebuggerAction*> listener_{nullptr};
};

// No run: only Run and the steps start one.
class DebuggerStop : public DebuggerState {
 public:
  using DebuggerState::DebuggerState;
  DebuggerState* Stop() override { return this; }
  DebuggerState* Pause(uint32_t) override { return this; }
};

// Threads halted: anything but another Pause.
class DebuggerPause : public DebuggerStop {
 public:
  using DebuggerStop::DebuggerStop;
  DebuggerState* Stop() override { return DebuggerState::Stop(); }
};

// Threads running freely: only Stop and Pause.
class DebuggerRun : public DebuggerState {
 public:
  using DebuggerState::DebuggerState;
  DebuggerState* Run() override { return this; }
  DebuggerState* StepIn() override { return this; }
  DebuggerState* Step() override { return this; }
  DebuggerState* StepOut() override { return this; }
};

// A step under way: Stop, Pause and StepOut.
class DebuggerStepIn : public DebuggerState {
 public:
  using DebuggerState::DebuggerState;
  DebuggerState* Run() override { return this; }
  DebuggerState* StepIn() override { return this; }
  DebuggerState* Step() override { return this; }
};

class DebuggerStep : public DebuggerStepIn {
 public:
  using DebuggerStepIn::DebuggerStepIn;
};

// Stepping out also takes Run (a step out at the outermost frame runs on).
class DebuggerStepOut : public DebuggerStepIn {
 public:
  using DebuggerStepIn::DebuggerStepIn;
  DebuggerState* Run() override { return DebuggerState::Run(); }
};

}  // namespace script
