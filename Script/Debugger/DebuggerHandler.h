#pragma once
// Fans the debugger's commands out to the gates of the script threads, and
// maps source lines to statements for breakpoints. Run, Stop and Pause reach
// every gate; a step reaches one gate, chosen in turn among the threads that
// are not inside native code. The lock guards the gates and the turn counter.
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "Script/Debugger/DebuggerAction.h"
#include "Script/Debugger/FlowSemaphor.h"
#include "Script/Platform/CriticalSection.h"
#include "Script/Platform/ManualResetEvent.h"

namespace script {

class DebuggerEvents;
class DebuggerStateMachine;
class Node;
class Scope;
class ThreadPositionSource;

class DebuggerHandler : public DebuggerAction {
 public:
  explicit DebuggerHandler(DebuggerStateMachine* machine) : machine_(machine) {}
  DebuggerHandler(const DebuggerHandler&) = delete;
  DebuggerHandler& operator=(const DebuggerHandler&) = delete;

  // The application's sink; gates copy it when created.
  void SetEvents(DebuggerEvents* events) { events_.store(events, std::memory_order_release); }
  DebuggerEvents* Events() const { return events_.load(std::memory_order_acquire); }
  // Where the position report of Pause(kPositionOnly) reads a thread's
  // statement; set before threads run. Without one nothing is reported.
  void SetPositionSource(ThreadPositionSource* positions) { positions_ = positions; }
  // Set by the interpreter when a run has begun.
  platform::ManualResetEvent& Started() { return started_; }

  // One gate per script thread, owned here. The gate created while there is
  // no other holds its thread (paused); later gates run.
  FlowSemaphor* CreateGate(uint32_t threadId);
  void RemoveGate(uint32_t threadId);

  // Makes the statement represent its line, unless the line has one already.
  void AddToLineTable(const Node* statement);
  // Before a program is compiled again: its statements and its run go.
  void ForgetProgram();

  void Stop() override;
  void Run() override;
  void Pause(uint32_t threadId) override;
  void StepIn() override;
  void Step() override;
  void StepOut() override;
  bool SetBreakpoint(uint32_t file, uint32_t lineIndex, bool set) override;

 private:
  using GateCommand = void (FlowSemaphor::*)();

  // Lock held: the next gate in turn outside native code, or null.
  FlowSemaphor* ChooseInTurn();
  void ForEachGate(GateCommand command);
  // To the gate in turn, or to all when every thread is in native code.
  void StepInTurn(GateCommand command);
  void ReportPositionInTurn();
  const Node* StatementAt(uint32_t file, uint32_t lineIndex) const;

  DebuggerStateMachine* const machine_;
  std::atomic<DebuggerEvents*> events_{nullptr};
  ThreadPositionSource* positions_ = nullptr;
  platform::CriticalSection lock_;
  platform::ManualResetEvent started_;
  std::vector<std::unique_ptr<FlowSemaphor>> gates_;
  std::vector<std::vector<const Node*>> lineTable_;  // [file][line - 1]; filled while compiling
  uint32_t turn_ = 0;
};

}  // namespace script
