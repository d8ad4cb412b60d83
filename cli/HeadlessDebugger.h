#pragma once
// The debugger events of a run without a user interface: the tool resumes
// the script once and lets it run to its end, so no event needs an answer.
// An optional action runs when a script thread ends, while its storage is
// still alive.
#include <functional>
#include <utility>

#include "Script/Debugger/DebuggerEvents.h"

namespace kelvra {

class HeadlessDebugger final : public script::DebuggerEvents {
 public:
  using ThreadEndAction = std::function<void(uint32_t threadId)>;

  explicit HeadlessDebugger(ThreadEndAction onThreadEnd) : onThreadEnd_(std::move(onThreadEnd)) {}

  void OnStop(uint32_t) override {}
  void OnRun(uint32_t) override {}
  void OnPause(uint32_t) override {}
  void OnStepIn(uint32_t) override {}
  void OnStepOver(uint32_t) override {}
  void OnStepOut(uint32_t) override {}
  void OnBreakpoint(uint32_t, uint32_t, bool) override {}
  void OnBreak(uint32_t, uint32_t, uint32_t, script::Scope*) override {}
  void OnThreadStart(uint32_t) override {}
  void OnThreadEnd(uint32_t threadId) override {
    if (onThreadEnd_) onThreadEnd_(threadId);
  }

 private:
  ThreadEndAction onThreadEnd_;
};

}  // namespace kelvra
