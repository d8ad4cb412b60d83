#include "debugger/Debug/RunThread.h"

#include "debugger/Debug/DebugController.h"
#include "debugger/Debug/InterfaceThread.h"

namespace kelvra::ide {

void CRunner::Run(CRunHandle parameter) {
  if (parameter && parameter->runner) parameter->runner->Execute();
}

void CRunner::OnThreadState(int state, CRunHandle* parameter) {
  if (state != kv_thread_lib::ThreadFinished || !*parameter || !(*parameter)->runner) return;
  (*parameter)->runner->DetachEvents();
  CDebugController& controller = *(*parameter)->app;
  CallOnThreadOf(controller, [&controller] { controller.HandleRunFinished(); });
}

}  // namespace kelvra::ide
