#include "Script/Debugger/FlowSemaphor.h"

#include <mutex>
#include <thread>

#include "Script/Debugger/DebuggerEvents.h"
#include "Script/Debugger/DebuggerStateMachine.h"
#include "Script/Expressions/Node.h"

namespace script {

namespace {

constexpr uint32_t Bit(GateMode mode) { return 1u << static_cast<uint32_t>(mode); }

constexpr uint32_t kStepping = Bit(GateMode::SteppingIn) | Bit(GateMode::SteppingOver) | Bit(GateMode::SteppingOut);
constexpr uint32_t kLive = Bit(GateMode::Running) | Bit(GateMode::Paused) | kStepping;

const BreakpointSet kNoBreakpoints;

}  // namespace

// A gate that starts running has its resume event set: a thread that halts
// while the state machine pauses nobody (nothing runs, or all is paused
// already) runs on instead of waiting for a Run, which skips running gates.
FlowSemaphor::FlowSemaphor(DebuggerStateMachine* machine, DebuggerEvents* events, uint32_t threadId, GateMode mode)
    : machine_(machine), events_(events), threadId_(threadId), mode_(mode), resume_(mode == GateMode::Running) {}

void FlowSemaphor::Move(uint32_t from, GateMode next, Report report, EventChange change) {
  std::lock_guard lock(lock_);
  if ((Bit(Mode()) & from) == 0) return;
  mode_.store(next, std::memory_order_release);
  Send(report);
  (resume_.*change)();
}

void FlowSemaphor::Stop() {
  Move(kLive, GateMode::Stopped, &DebuggerEvents::OnStop, &platform::ManualResetEvent::Close);
}

void FlowSemaphor::Run() {
  Move(Bit(GateMode::Paused) | Bit(GateMode::SteppingOut), GateMode::Running, &DebuggerEvents::OnRun,
       &platform::ManualResetEvent::Set);
}

// The event is reset before the mode says paused: a thread that reads the
// mode as paused then finds the event reset and waits.
void FlowSemaphor::Pause(uint32_t) {
  std::lock_guard lock(lock_);
  const GateMode mode = Mode();
  if (mode == GateMode::Stopped) return;
  if (mode != GateMode::Paused) {
    resume_.Reset();
    mode_.store(GateMode::Paused, std::memory_order_release);
  }
  Send(&DebuggerEvents::OnPause);
}

void FlowSemaphor::StepIn() {
  Move(Bit(GateMode::Paused), GateMode::SteppingIn, &DebuggerEvents::OnStepIn, &platform::ManualResetEvent::Set);
}

void FlowSemaphor::Step() {
  Move(Bit(GateMode::Paused), GateMode::SteppingOver, &DebuggerEvents::OnStepOver, &platform::ManualResetEvent::Set);
}

void FlowSemaphor::StepOut() {
  Move(Bit(GateMode::Paused), GateMode::SteppingOut, &DebuggerEvents::OnStepOut, &platform::ManualResetEvent::Set);
}

uint32_t FlowSemaphor::CheckHalting(const Node* statement, uint32_t depth, const BreakpointSet& breakpoints) {
  const SourcePosition& at = statement->Position();
  const bool breakpoint = breakpoints.Contains(at.file, at.line);
  const GateMode mode = Mode();
  if (mode == GateMode::Stopped) return RUN_STOP;
  if (mode == GateMode::Paused) {
    ReportPosition(at);
  } else if (breakpoint) {
    StopHere(at);
    ReportPosition(at);
  } else if (mode == GateMode::Running) {
    return RUN_OK;
  } else if ((mode == GateMode::SteppingOver && mark_ != kNoMark && depth <= mark_) ||
             (mode == GateMode::SteppingOut && depth < mark_)) {
    StopHere(at);
  }
  return WaitForResume(at, depth);
}

uint32_t FlowSemaphor::WaitForResume(const SourcePosition& at, uint32_t depth) {
  for (;;) {
    if (!resume_.Wait()) return RUN_STOP;
    switch (Mode()) {
      case GateMode::Stopped:
        return RUN_STOP;
      case GateMode::Paused:
        // A Pause that came in just after the resume: halt here after all.
        ReportPosition(at);
        continue;
      case GateMode::Running:
        return RUN_OK;
      case GateMode::SteppingIn:
        RequestPause(threadId_);
        return RUN_OK;
      case GateMode::SteppingOut:
        if (depth == 0) {
          mark_ = kNoMark;
          RequestRun();
          return RUN_OK;
        }
        [[fallthrough]];
      case GateMode::SteppingOver:
        if (mark_ == kNoMark) mark_ = depth;
        return RUN_OK;
    }
  }
}

void FlowSemaphor::StopHere(const SourcePosition& at) {
  ReportPosition(at);
  mark_ = kNoMark;
  RequestPause(threadId_);
}

// The machine's lock is busy here only while a command or another thread's
// halt is applied, most often the very command that has just resumed this
// thread. Neither waits for this thread, which holds no lock, so the request
// is repeated; dropping it would let a step run past the statement it was to
// stop at.
void FlowSemaphor::RequestPause(uint32_t threadId) {
  while (!machine_->Pause(threadId)) std::this_thread::yield();
}

void FlowSemaphor::RequestRun() {
  while (!machine_->Run()) std::this_thread::yield();
}

void FlowSemaphor::ReportPosition(const SourcePosition& at) {
  if (events_ != nullptr) events_->OnBreak(at.file, at.line - 1, threadId_, nullptr);
}

void FlowSemaphor::Send(Report report) {
  if (events_ != nullptr) (events_->*report)(threadId_);
}

uint32_t FlowSemaphor::StartRun(const Node* root) {
  ReportThreadStart();
  Send(&DebuggerEvents::OnRun);
  return CheckStatement(root, 0, kNoBreakpoints);
}

void FlowSemaphor::EndRun() {
  LeaveThread();
  ReportThreadEnd();
  Stop();
}

void FlowSemaphor::LeaveThread() {
  if ((Bit(Mode()) & kStepping) != 0) RequestPause(kPositionOnly);
}

void FlowSemaphor::ReportThreadStart() { Send(&DebuggerEvents::OnThreadStart); }

void FlowSemaphor::ReportThreadEnd() { Send(&DebuggerEvents::OnThreadEnd); }

}  // namespace script
