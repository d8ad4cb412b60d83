#include "debugger/Debug/DebuggerEventsImpl.h"

#include "debugger/Debug/DebugController.h"
#include "debugger/Debug/InterfaceThread.h"

namespace kelvra::ide {

void CDebuggerEventsImpl::OnStop(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandleStop(threadId); });
}

void CDebuggerEventsImpl::OnRun(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandleRun(threadId); });
}

void CDebuggerEventsImpl::OnPause(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandlePause(threadId); });
}

void CDebuggerEventsImpl::OnStepIn(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandleStep(DebugState::SteppingIn, threadId); });
}

void CDebuggerEventsImpl::OnStepOver(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandleStep(DebugState::SteppingOver, threadId); });
}

void CDebuggerEventsImpl::OnStepOut(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandleStep(DebugState::SteppingOut, threadId); });
}

void CDebuggerEventsImpl::OnBreakpoint(uint32_t fileId, uint32_t lineIndex, bool set) {
  CallOnThreadOf(m_controller, [&, fileId, lineIndex, set] { m_controller.HandleBreakpoint(fileId, lineIndex, set); });
}

void CDebuggerEventsImpl::OnBreak(uint32_t fileId, uint32_t lineIndex, uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, fileId, lineIndex, threadId] { m_controller.HandleBreak(fileId, lineIndex, threadId); });
}

void CDebuggerEventsImpl::OnThreadStart(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandleThreadStart(threadId); });
}

void CDebuggerEventsImpl::OnThreadEnd(uint32_t threadId) {
  CallOnThreadOf(m_controller, [&, threadId] { m_controller.HandleThreadEnd(threadId); });
}

}  // namespace kelvra::ide
