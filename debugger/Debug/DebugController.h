#pragma once
// The debug commands and the run they drive: the start-up script is saved,
// loaded on the interface thread, executed on the worker thread and run,
// paused, stepped and stopped through the engine's debugger; the engine's
// events come back here on the interface thread, set the DebugState and
// are passed on as signals to the panes and editors.
#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

#include "debugger/Debug/DebugCommands.h"
#include "debugger/Debug/DebugState.h"
#include "debugger/Debug/DebuggerEventsImpl.h"
#include "debugger/Debug/RunThread.h"
#include "kelvra/ProgramInfo.h"
#include "kelvra/StdOutInterface.h"

namespace kelvra::ide {

class CBreakpointStore;
class CScriptSaver;

class CDebugController : public QObject {
  Q_OBJECT

 public:
  // The sink, breakpoints and saver must outlive the controller.
  CDebugController(script::StdOutInterface& sink, CBreakpointStore& breakpoints, CScriptSaver& saver,
                   QObject* parent = nullptr);
  // Stops a run still going.
  ~CDebugController() override;

  // The script the debug commands run; empty for none.
  void SetStartupScript(const QString& path);
  const QString& StartupScript() const { return m_startupScript; }

  DebugState State() const { return m_debugState; }
  bool IsCommandEnabled(DebugCommandId command) const;
  // Whether the worker thread runs a script.
  bool IsRunActive();
  // The session of the current run, null when none.
  script::ScriptSession* Session() const;

  // Executes an enabled command. False when it is disabled, when no run
  // could start, or when the engine was busy and dropped it.
  bool Execute(DebugCommandId command);

  // Stops a run, whatever the state (on exit).
  void StopRun();

  // Compiles a script into PATH.bin, or a compiled script back into
  // PATH.kelvra, on this thread, reporting in the output; not while a
  // script runs. False when nothing was written.
  bool CompileScript(const QString& path);
  bool DecompileScript(const QString& path);

  // Handlers of the engine's events, on the interface thread.
  void HandleStop(uint32_t threadId);
  void HandleRun(uint32_t threadId);
  void HandlePause(uint32_t threadId);
  void HandleStep(DebugState stepState, uint32_t threadId);
  void HandleBreakpoint(uint32_t fileId, uint32_t lineIndex, bool set);
  void HandleBreak(uint32_t fileId, uint32_t lineIndex, uint32_t threadId);
  void HandleThreadStart(uint32_t threadId);
  void HandleThreadEnd(uint32_t threadId);
  // The worker's run is over: leak report, and the run is forgotten.
  void HandleRunFinished();

 Q_SIGNALS:
  void stateChanged(kelvra::ide::DebugState state);
  void startupScriptChanged(const QString& path);
  // A run was prepared (true) or forgotten (false).
  void runChanged(bool exists);
  // Editors turn read-only when a run starts; editable again when it stops,
  // with their current-line markers cleared.
  void editorsReadOnly(bool readOnly);
  void threadStarted(uint32_t threadId);
  void threadEnded(uint32_t threadId);
  void threadHalted(uint32_t threadId, bool halted);
  // A thread's mode as the engine reported it (stopped, running, paused, stepping).
  void threadModeReported(uint32_t threadId, kelvra::ide::DebugState mode);
  // A thread halts before a line (from 0) of a file.
  void breakReached(const QString& path, int lineIndex, uint32_t threadId);
  void breakpointConfirmed(const QString& path, int lineIndex, bool set);
  void functionsLoaded(const std::vector<script::FunctionInfo>& functions);
  void functionsCleared();
  void fileExplorerWanted();
  void functionBrowserWanted();
  void runFinished();

 private:
  bool StartOrResume(script::DebugCommand command);
  bool Apply(script::DebugCommand command);
  bool ApplyUntilTaken(script::DebugCommand command);
  bool Stop();
  bool PrepareStartupRun();
  using ScriptConversion = bool (*)(const std::string& path, script::StdOutInterface& sink);
  bool ConvertScript(const QString& path, ScriptConversion conversion);
  void ResetRunIfIdle();
  void ForgetRun();
  void SetState(DebugState state);
  void EnterStoppedState();
  // The state a mode event moves to; editors turn read-only when it leaves Stopped.
  void EnterRunningState(DebugState state, uint32_t threadId);
  QString FilePath(uint32_t fileId) const;

  script::StdOutInterface& m_sink;
  CBreakpointStore& m_breakpoints;
  CScriptSaver& m_saver;
  CDebuggerEventsImpl m_events{*this};
  QString m_startupScript;
  DebugState m_debugState = DebugState::Stopped;
  CRunHandle m_currentRun;
  CRunThread m_runnerThread;
};

}  // namespace kelvra::ide
