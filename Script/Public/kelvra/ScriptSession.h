#pragma once
// The engine's front door: one script loaded, run and debugged. The
// command-line tool, the IDE and tests of front ends use this header and
// its neighbours in this folder, nothing else of the engine.
//
// A session compiles its script on the caller's thread (Load), runs it on a
// thread of its own or on the caller's (Start / Execute), takes debugger
// commands and breakpoints from any thread, and describes halted threads:
// their call stacks and variables. Several sessions may live at once; each
// keeps its own program and heap.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kelvra/ProgramInfo.h"
#include "kelvra/SessionEvents.h"
#include "kelvra/StdOutInterface.h"
#include "kelvra/VariableHandle.h"

namespace script {

enum class DebugCommand { Run, Stop, Pause, StepIn, StepOver, StepOut };

class ScriptSession {
 public:
  // The sink is not owned and must outlive the session. The path's
  // extension picks the reader: ".kelvra" source text, ".bin" compiled.
  ScriptSession(const std::string& path, StdOutInterface& sink);
  // Stops a run still going and waits for the session's own run thread.
  ~ScriptSession();
  ScriptSession(const ScriptSession&) = delete;
  ScriptSession& operator=(const ScriptSession&) = delete;

  const std::string& Path() const;

  // Compiles the script; the build report ("Build succeeded." or the error)
  // goes to the sink's build channel. False when it did not compile, or
  // while a run is going. Loading again after a run ends makes the program
  // new and ready for another run.
  bool Load();
  bool IsLoaded() const;

  // Where debugger events go; attach before a run starts. The sink must
  // outlive the run.
  void AttachEvents(SessionEvents* events);
  void DetachEvents();

  // Runs the loaded program on the calling thread and returns when the run
  // ends. The run's thread is held before its first statement until a
  // command resumes it. False when the run ended with a runtime error or a
  // processor fault, or when nothing is loaded.
  bool Execute();
  // Blocks until the run's thread is held before its first statement (or
  // the run ended without starting).
  void WaitUntilStarted();
  // Starts Execute on a thread the session owns, waits until the run has
  // begun and applies the first command. False when nothing is loaded or a
  // run has been started since the last load.
  bool Start(DebugCommand first = DebugCommand::Run);
  // Waits for the session's own run thread; what Execute returned.
  bool Wait();

  // Applies a debugger command to the running script; false when the
  // debugger was busy and dropped it (the user may try again), or when no
  // run exists.
  bool Command(DebugCommand command);
  // Sets or clears a breakpoint at a line (from 0) of one of the program's
  // files, named by its path as loaded or any path to the same file. False
  // when the line holds no statement; OnBreakpoint confirms a change.
  bool SetBreakpoint(const std::string& file, uint32_t lineIndex, bool set);

  // The program's source files by id, as the events name them.
  std::string FilePath(uint32_t fileId) const;
  std::optional<uint32_t> FileId(const std::string& path) const;

  // Inspection. A thread's frames and variables may be read while it is
  // halted, and by its own thread from inside an event.
  std::vector<uint32_t> ThreadIds() const;
  // The thread that runs Execute; 0 before a run.
  uint32_t RunThreadId() const;
  // The thread's frames, outermost first; empty for an unknown thread.
  std::vector<FrameInfo> CallStack(uint32_t threadId) const;
  // The variables of a frame (0: the globals), in declaration order.
  std::vector<VariableHandle> Variables(uint32_t threadId, int32_t frameIndex) const;
  // The global variables as text lines "NAME : TYPE = VALUE", children
  // indented by two blanks per level, handed over one at a time.
  void ListGlobals(const std::function<void(const std::string& line)>& line) const;
  // The functions, built-ins and libraries the loaded program declares.
  std::vector<FunctionInfo> Functions() const;
  // The script heap's leak report, on the sink's run channel.
  void DumpLeaks() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// Compiles a source script into PATH.bin beside it; the build report goes
// to the sink. False when it did not compile or could not be written.
bool CompileScript(const std::string& path, StdOutInterface& sink);
// Writes a compiled script back as source text into PATH.kelvra.
bool DecompileScript(const std::string& path, StdOutInterface& sink);

}  // namespace script
