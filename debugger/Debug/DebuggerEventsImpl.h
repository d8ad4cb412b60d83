#pragma once
// The engine's events handed to the interface thread: each call runs the
// controller's handler there while the script thread that reported it waits.
#include "kelvra/SessionEvents.h"

namespace kelvra::ide {

class CDebugController;

class CDebuggerEventsImpl final : public script::SessionEvents {
 public:
  explicit CDebuggerEventsImpl(CDebugController& controller) : m_controller(controller) {}

  void OnStop(uint32_t threadId) override;
  void OnRun(uint32_t threadId) override;
  void OnPause(uint32_t threadId) override;
  void OnStepIn(uint32_t threadId) override;
  void OnStepOver(uint32_t threadId) override;
  void OnStepOut(uint32_t threadId) override;
  void OnBreakpoint(uint32_t fileId, uint32_t lineIndex, bool set) override;
  void OnBreak(uint32_t fileId, uint32_t lineIndex, uint32_t threadId) override;
  void OnThreadStart(uint32_t threadId) override;
  void OnThreadEnd(uint32_t threadId) override;

 private:
  CDebugController& m_controller;
};

}  // namespace kelvra::ide
