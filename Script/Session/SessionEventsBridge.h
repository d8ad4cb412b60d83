#pragma once
// Hands the engine's debugger events to a front end's SessionEvents, without
// the engine's node types. The front end's sink may change or go away while
// a run lives; events arriving without one are dropped.
#include <atomic>

#include "Script/Debugger/DebuggerEvents.h"
#include "kelvra/SessionEvents.h"

namespace script {

class SessionEventsBridge final : public DebuggerEvents {
 public:
  void Connect(SessionEvents* events) { events_.store(events, std::memory_order_release); }

  void OnStop(uint32_t threadId) override { Forward(&SessionEvents::OnStop, threadId); }
  void OnRun(uint32_t threadId) override { Forward(&SessionEvents::OnRun, threadId); }
  void OnPause(uint32_t threadId) override { Forward(&SessionEvents::OnPause, threadId); }
  void OnStepIn(uint32_t threadId) override { Forward(&SessionEvents::OnStepIn, threadId); }
  void OnStepOver(uint32_t threadId) override { Forward(&SessionEvents::OnStepOver, threadId); }
  void OnStepOut(uint32_t threadId) override { Forward(&SessionEvents::OnStepOut, threadId); }
  void OnBreakpoint(uint32_t file, uint32_t lineIndex, bool set) override {
    if (SessionEvents* events = events_.load(std::memory_order_acquire)) events->OnBreakpoint(file, lineIndex, set);
  }
  void OnBreak(uint32_t file, uint32_t lineIndex, uint32_t threadId, Scope*) override {
    if (SessionEvents* events = events_.load(std::memory_order_acquire)) events->OnBreak(file, lineIndex, threadId);
  }
  void OnThreadStart(uint32_t threadId) override { Forward(&SessionEvents::OnThreadStart, threadId); }
  void OnThreadEnd(uint32_t threadId) override { Forward(&SessionEvents::OnThreadEnd, threadId); }

 private:
  void Forward(void (SessionEvents::*event)(uint32_t), uint32_t threadId) {
    if (SessionEvents* events = events_.load(std::memory_order_acquire)) (events->*event)(threadId);
  }

  std::atomic<SessionEvents*> events_{nullptr};
};

}  // namespace script
