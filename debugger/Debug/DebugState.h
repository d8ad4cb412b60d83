#pragma once
// What the debugged script does, as the engine's events last reported it;
// one value for the whole application, not one per script thread.

namespace kelvra::ide {

enum class DebugState {
  Stopped = 0,
  Running = 1,
  Paused = 2,
  SteppingIn = 3,
  SteppingOver = 4,
  SteppingOut = 5,
};

}  // namespace kelvra::ide
