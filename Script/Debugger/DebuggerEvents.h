#pragma once
// What the engine tells the debugger application. Calls come on the script
// thread concerned (or on the thread that issued a command) while debugger
// locks are held: an implementation must not wait for those locks elsewhere.
// Line indexes count from 0 (the node's line - 1).
#include <cstdint>

namespace script {

class Scope;

class DebuggerEvents {
 public:
  virtual ~DebuggerEvents() = default;

  virtual void OnStop(uint32_t threadId) = 0;
  virtual void OnRun(uint32_t threadId) = 0;
  virtual void OnPause(uint32_t threadId) = 0;
  virtual void OnStepIn(uint32_t threadId) = 0;
  virtual void OnStepOver(uint32_t threadId) = 0;
  virtual void OnStepOut(uint32_t threadId) = 0;
  virtual void OnBreakpoint(uint32_t file, uint32_t lineIndex, bool set) = 0;
  // A thread halts at a statement, or the position of a thread chosen in
  // turn; scope is null when not known.
  virtual void OnBreak(uint32_t file, uint32_t lineIndex, uint32_t threadId, Scope* scope) = 0;
  virtual void OnThreadStart(uint32_t threadId) = 0;
  virtual void OnThreadEnd(uint32_t threadId) = 0;
};

}  // namespace script
