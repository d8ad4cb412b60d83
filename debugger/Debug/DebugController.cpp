#include "debugger/Debug/DebugController.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Debug/ScriptSaver.h"
#include "kelvra/ScriptSession.h"

namespace kelvra::ide {

CDebugController::CDebugController(script::StdOutInterface& sink, CBreakpointStore& breakpoints,
                                   CScriptSaver& saver, QObject* parent)
    : QObject(parent), m_sink(sink), m_breakpoints(breakpoints), m_saver(saver) {
  // A breakpoint changed while a script runs reaches the engine at once.
  connect(&m_breakpoints, &CBreakpointStore::toggled, this, [this](const QString& path, int line, bool set) {
    if (script::ScriptSession* session = Session()) {
      session->SetBreakpoint(QFile::encodeName(path).toStdString(), static_cast<uint32_t>(line - 1), set);
    }
  });
}

CDebugController::~CDebugController() { StopRun(); }

void CDebugController::StopRun() {
  if (IsRunActive()) Stop();
}

void CDebugController::SetStartupScript(const QString& path) {
  if (path == m_startupScript) return;
  m_startupScript = path;
  Q_EMIT startupScriptChanged(path);
}

bool CDebugController::IsCommandEnabled(DebugCommandId command) const {
  return IsDebugCommandEnabled(command, m_debugState, !m_startupScript.isEmpty());
}

bool CDebugController::IsRunActive() { return m_runnerThread.GetThreadId() != 0; }

script::ScriptSession* CDebugController::Session() const {
  return m_currentRun ? m_currentRun->runner.get() : nullptr;
}

bool CDebugController::Execute(DebugCommandId command) {
  if (!IsCommandEnabled(command)) return false;
  switch (command) {
    case DebugCommandId::Run:
      return StartOrResume(script::DebugCommand::Run);
    case DebugCommandId::StepIn:
      return StartOrResume(script::DebugCommand::StepIn);
    case DebugCommandId::StepOver:
      return StartOrResume(script::DebugCommand::StepOver);
    case DebugCommandId::Pause:
      return Apply(script::DebugCommand::Pause);
    case DebugCommandId::StepOut:
      return Apply(script::DebugCommand::StepOut);
    case DebugCommandId::Stop:
      return Stop();
  }
  return false;
}

// Run, Step In and Step Over start the start-up script when no run exists;
// the engine holds its first thread before the first statement, so the
// command then applies to the new run.
bool CDebugController::StartOrResume(script::DebugCommand command) {
  if (!IsRunActive()) {
    if (!m_saver.SaveModifiedScripts()) return false;
    if (!PrepareStartupRun()) return false;
    if (!m_runnerThread.Start(m_currentRun)) {
      ForgetRun();
      return false;
    }
    m_currentRun->runner->WaitUntilStarted();
    // The new run is held before its first statement until a command is taken.
    return ApplyUntilTaken(command);
  }
  return Apply(command);
}

bool CDebugController::Apply(script::DebugCommand command) {
  script::ScriptSession* session = Session();
  return session != nullptr && session->Command(command);
}

// Tries a command until the engine takes it or the run is over. The engine
// may be busy reporting to this thread, so its events are served between
// attempts (the user's input waits).
bool CDebugController::ApplyUntilTaken(script::DebugCommand command) {
  CRunHandle run = m_currentRun;
  if (!run) return false;
  while (!run->runner->Command(command)) {
    if (!IsRunActive()) return false;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::yieldCurrentThread();
  }
  return true;
}

// A stop must not be lost; then the worker is waited for while the engine's
// events keep arriving.
bool CDebugController::Stop() {
  if (!m_currentRun) return false;
  ApplyUntilTaken(script::DebugCommand::Stop);
  m_runnerThread.Stop();
  return true;
}

bool CDebugController::CompileScript(const QString& path) { return ConvertScript(path, &script::CompileScript); }

bool CDebugController::DecompileScript(const QString& path) { return ConvertScript(path, &script::DecompileScript); }

bool CDebugController::ConvertScript(const QString& path, ScriptConversion conversion) {
  if (IsRunActive()) return false;
  m_sink.Clear();
  return conversion(QFile::encodeName(path).toStdString(), m_sink);
}

bool CDebugController::PrepareStartupRun() {
  if (IsRunActive() || m_startupScript.isEmpty()) return false;
  const std::string path = QFile::encodeName(m_startupScript).toStdString();
  if (path.empty()) return false;
  m_sink.Clear();
  m_currentRun = CRunHandle(new CRunParameter{kv_thread_lib::smart_ptr<script::ScriptSession>(
                                                  new script::ScriptSession(path, m_sink)),
                                              this});
  Q_EMIT runChanged(true);
  script::ScriptSession& session = *m_currentRun->runner;
  if (!session.Load()) {
    ResetRunIfIdle();
    return false;
  }
  session.AttachEvents(&m_events);
  m_breakpoints.ResetConfirmations();
  m_breakpoints.PushAll(session);
  Q_EMIT functionsLoaded(session.Functions());
  return true;
}

void CDebugController::ResetRunIfIdle() {
  if (!IsRunActive()) ForgetRun();
}

void CDebugController::ForgetRun() {
  if (!m_currentRun) return;
  m_currentRun = CRunHandle();
  Q_EMIT runChanged(false);
}

void CDebugController::SetState(DebugState state) {
  if (state == m_debugState) return;
  m_debugState = state;
  Q_EMIT stateChanged(state);
}

QString CDebugController::FilePath(uint32_t fileId) const {
  script::ScriptSession* session = Session();
  return session != nullptr ? QFile::decodeName(session->FilePath(fileId).c_str()) : QString();
}

void CDebugController::HandleStop(uint32_t threadId) {
  Q_EMIT threadModeReported(threadId, DebugState::Stopped);
  Q_EMIT threadHalted(threadId, false);
  EnterStoppedState();
}

void CDebugController::EnterStoppedState() {
  SetState(DebugState::Stopped);
  Q_EMIT editorsReadOnly(false);
  Q_EMIT functionsCleared();
  Q_EMIT fileExplorerWanted();
}

void CDebugController::HandleRun(uint32_t threadId) {
  EnterRunningState(DebugState::Running, threadId);
  Q_EMIT functionBrowserWanted();
}

void CDebugController::HandlePause(uint32_t threadId) {
  SetState(DebugState::Paused);
  Q_EMIT threadModeReported(threadId, DebugState::Paused);
}

void CDebugController::HandleStep(DebugState stepState, uint32_t threadId) { EnterRunningState(stepState, threadId); }

void CDebugController::EnterRunningState(DebugState state, uint32_t threadId) {
  if (m_debugState == DebugState::Stopped) Q_EMIT editorsReadOnly(true);
  SetState(state);
  Q_EMIT threadModeReported(threadId, state);
  Q_EMIT threadHalted(threadId, false);
}

void CDebugController::HandleBreakpoint(uint32_t fileId, uint32_t lineIndex, bool set) {
  const QString path = FilePath(fileId);
  if (path.isEmpty()) return;
  m_breakpoints.SetConfirmed(path, static_cast<int>(lineIndex) + 1, set);
  Q_EMIT breakpointConfirmed(path, static_cast<int>(lineIndex), set);
}

void CDebugController::HandleBreak(uint32_t fileId, uint32_t lineIndex, uint32_t threadId) {
  SetState(DebugState::Paused);
  Q_EMIT threadHalted(threadId, true);
  const QString path = FilePath(fileId);
  if (!path.isEmpty()) Q_EMIT breakReached(path, static_cast<int>(lineIndex), threadId);
}

void CDebugController::HandleThreadStart(uint32_t threadId) {
  Q_EMIT threadHalted(threadId, false);
  Q_EMIT threadStarted(threadId);
}

void CDebugController::HandleThreadEnd(uint32_t threadId) {
  Q_EMIT threadHalted(threadId, true);
  Q_EMIT threadEnded(threadId);
}

// A report the script thread sent before a stop may be handled after it;
// once the run is over the debugger is stopped whatever came last.
void CDebugController::HandleRunFinished() {
  if (m_debugState != DebugState::Stopped) EnterStoppedState();
  Q_EMIT runFinished();
  if (script::ScriptSession* session = Session()) session->DumpLeaks();
  m_breakpoints.ResetConfirmations();
  ForgetRun();
}

}  // namespace kelvra::ide
