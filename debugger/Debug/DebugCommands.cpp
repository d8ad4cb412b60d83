#include "debugger/Debug/DebugCommands.h"

namespace kelvra::ide {

const std::array<DebugCommandInfo, 6>& DebugCommandTable() {
  static const std::array<DebugCommandInfo, 6> table = {{
      {DebugCommandId::Run, "&Run\tF5", "F5", "Run script"},
      {DebugCommandId::Stop, "&Stop\tShift+F5", "Shift+F5", "Stop running script"},
      {DebugCommandId::Pause, "&Pause\tCtl+Alt+Pause", "Ctrl+Alt+Pause", "Pause running script"},
      {DebugCommandId::StepIn, "Step &In\tF11", "F11", "Step in"},
      {DebugCommandId::StepOver, "Step &Over\tF10", "F10", "Step over"},
      {DebugCommandId::StepOut, "Step O&ut\tShift+F11", "Shift+F11", "Step out"},
  }};
  return table;
}

bool IsDebugCommandEnabled(DebugCommandId command, DebugState state, bool hasStartupScript) {
  if (!hasStartupScript) return false;
  const bool stoppedOrPaused = state == DebugState::Stopped || state == DebugState::Paused;
  switch (command) {
    case DebugCommandId::Run:
    case DebugCommandId::StepIn:
    case DebugCommandId::StepOver:
      return stoppedOrPaused;
    case DebugCommandId::Stop:
      return state != DebugState::Stopped;
    case DebugCommandId::Pause:
      return !stoppedOrPaused;
    case DebugCommandId::StepOut:
      return state == DebugState::Paused;
  }
  return false;
}

}  // namespace kelvra::ide
