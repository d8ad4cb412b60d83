#pragma once
// What a running script tells its front end. Calls arrive on the script
// thread concerned (or on the thread that issued a command) while the
// engine's debugger locks are held: an implementation may hand them to its
// interface thread and wait there, but must not issue debugger commands or
// wait for the engine from inside a call. Line indexes count from 0.
#include <cstdint>

namespace script {

class SessionEvents {
 public:
  virtual ~SessionEvents() = default;

  // A thread's mode changed: stopped (its run ends or a stop unwinds it),
  // running, paused (also when paused already), stepping in, over or out.
  virtual void OnStop(uint32_t /*threadId*/) {}
  virtual void OnRun(uint32_t /*threadId*/) {}
  virtual void OnPause(uint32_t /*threadId*/) {}
  virtual void OnStepIn(uint32_t /*threadId*/) {}
  virtual void OnStepOver(uint32_t /*threadId*/) {}
  virtual void OnStepOut(uint32_t /*threadId*/) {}
  // The engine confirmed a breakpoint set or cleared at a file's line.
  virtual void OnBreakpoint(uint32_t /*fileId*/, uint32_t /*lineIndex*/, bool /*set*/) {}
  // A thread halts before the statement at a file's line (breakpoint, end
  // of a step, pause), or a thread's position is reported.
  virtual void OnBreak(uint32_t /*fileId*/, uint32_t /*lineIndex*/, uint32_t /*threadId*/) {}
  // A thread entered script code (the run's own thread, or a foreign
  // thread calling a callback), or left it; its variables are still
  // readable during OnThreadEnd.
  virtual void OnThreadStart(uint32_t /*threadId*/) {}
  virtual void OnThreadEnd(uint32_t /*threadId*/) {}
};

}  // namespace script
