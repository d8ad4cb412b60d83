#pragma once
// The debugger commands, as the handler fans them out and each thread's gate
// applies them.
#include <cstdint>

namespace script {

class DebuggerAction {
 public:
  // The Pause argument that pauses nobody and only reports where a thread,
  // chosen in turn, stands.
  static constexpr uint32_t kPositionOnly = 0xFFFFFFFF;

  virtual ~DebuggerAction() = default;

  virtual void Stop() = 0;
  virtual void Run() = 0;
  virtual void Pause(uint32_t threadId) = 0;
  virtual void StepIn() = 0;
  virtual void Step() = 0;
  virtual void StepOut() = 0;
  // Sets or clears the breakpoint on a line (line index = line - 1); false
  // when the line holds no statement that can take one.
  virtual bool SetBreakpoint(uint32_t file, uint32_t lineIndex, bool set) = 0;
};

}  // namespace script
