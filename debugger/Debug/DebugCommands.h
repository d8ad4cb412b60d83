#pragma once
// The six debug commands: ids, menu texts, keys, prompts and when each is
// enabled.
#include <array>

#include "debugger/Debug/DebugState.h"

namespace kelvra::ide {

enum class DebugCommandId {
  Run = 32771,
  Stop = 32772,
  Pause = 32773,
  StepIn = 32774,
  StepOver = 32775,
  StepOut = 32776,
};

struct DebugCommandInfo {
  DebugCommandId id;
  const char* menuText;  // the part after the tab is shown as the key
  const char* key;       // in QKeySequence's portable text
  const char* prompt;    // the status bar text
};

// In menu and tool bar order.
const std::array<DebugCommandInfo, 6>& DebugCommandTable();

// Whether a command may be shown enabled and executed. All six are off
// while no start-up script is set.
bool IsDebugCommandEnabled(DebugCommandId command, DebugState state, bool hasStartupScript);

}  // namespace kelvra::ide
