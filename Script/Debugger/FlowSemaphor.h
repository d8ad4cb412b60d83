#pragma once
// A script thread's execution gate. The thread passes it before every
// statement; the gate decides whether the thread runs on, halts at a
// breakpoint, finishes a step, or waits until the debugger resumes it.
// Commands change the mode under the gate's lock; the thread reads the mode
// without it and waits with no lock held. A stop closes the resume event, so
// a waiting or later check fails with RUN_STOP.
#include <atomic>
#include <cstdint>

#include "Script/Debugger/BreakpointSet.h"
#include "Script/Debugger/DebuggerAction.h"
#include "Script/Foundation/ExecContext.h"
#include "Script/Platform/CriticalSection.h"
#include "Script/Platform/ManualResetEvent.h"

namespace script {

class DebuggerEvents;
class DebuggerStateMachine;
class Node;
struct SourcePosition;

enum class GateMode : uint32_t { Stopped, Running, Paused, SteppingIn, SteppingOver, SteppingOut };

class FlowSemaphor : public DebuggerAction {
 public:
  FlowSemaphor(DebuggerStateMachine* machine, DebuggerEvents* events, uint32_t threadId, GateMode mode);

  void Stop() override;
  void Run() override;
  void Pause(uint32_t threadId) override;
  void StepIn() override;
  void Step() override;
  void StepOut() override;
  // A gate has no statements of its own to set a breakpoint on.
  bool SetBreakpoint(uint32_t, uint32_t, bool) override { return false; }

  // Called by the gate's own thread before a statement; depth is the thread's
  // current frame index. RUN_OK to run the statement, RUN_STOP to unwind.
  // Running freely past a scope without breakpoints costs two loads.
  uint32_t CheckStatement(const Node* statement, uint32_t depth, const BreakpointSet& breakpoints) {
    if (Mode() == GateMode::Running && breakpoints.Empty()) return RUN_OK;
    return CheckHalting(statement, depth, breakpoints);
  }

  // The interpreter's run: reports the thread's start and running, then
  // checks the root (the first thread is held there until resumed).
  uint32_t StartRun(const Node* root);
  // The end of the interpreter's run, whatever its result: leaves the thread,
  // reports its end and stops the gate.
  void EndRun();
  // A thread leaving script code mid-step has the debugger report where a
  // thread, chosen in turn, stands.
  void LeaveThread();
  void ReportThreadStart();
  void ReportThreadEnd();

  // Incremented before and after every native call: odd while in native code.
  void IncrementNativeCounter() { nativeCounter_.fetch_add(1, std::memory_order_relaxed); }
  bool InNativeCode() const { return (nativeCounter_.load(std::memory_order_relaxed) & 1) != 0; }

  GateMode Mode() const { return mode_.load(std::memory_order_acquire); }
  uint32_t ThreadId() const { return threadId_; }

 private:
  static constexpr uint32_t kNoMark = 0xFFFFFFFF;
  using Report = void (DebuggerEvents::*)(uint32_t);
  using EventChange = void (platform::ManualResetEvent::*)();

  uint32_t CheckHalting(const Node* statement, uint32_t depth, const BreakpointSet& breakpoints);
  uint32_t WaitForResume(const SourcePosition& at, uint32_t depth);
  // Halts the thread here: reports the position and pauses every thread.
  void StopHere(const SourcePosition& at);
  // The thread's own requests to the state machine, repeated while its lock
  // is busy (see the .cpp).
  void RequestPause(uint32_t threadId);
  void RequestRun();
  void ReportPosition(const SourcePosition& at);
  void Send(Report report);
  // When the mode is one of `from` (a bit set of modes), moves to `next`,
  // sends the report, then releases the thread through the resume event.
  void Move(uint32_t from, GateMode next, Report report, EventChange change);

  DebuggerStateMachine* const machine_;
  DebuggerEvents* const events_;
  const uint32_t threadId_;
  std::atomic<GateMode> mode_;
  std::atomic<uint32_t> nativeCounter_{0};
  platform::CriticalSection lock_;
  platform::ManualResetEvent resume_;
  uint32_t mark_ = kNoMark;  // frame index of a step over or out; own thread only
};

}  // namespace script
