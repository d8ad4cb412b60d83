#pragma once
// How much of the calling thread's machine stack is left, and the size of
// the threads that run scripts. Script calls nest through several native
// frames each; a call checks the room left first so that deep recursion ends
// in a runtime error, not a crash.
#include <cstddef>

namespace script::platform {

// Bytes between the caller's stack position and the low end of the thread's
// stack; a large value when the bounds cannot be read.
std::size_t StackRoomLeft();

// The machine stack of a thread that runs a script: room for the deepest
// tree a script may compile to and for a deep recursion of script calls.
constexpr std::size_t kScriptThreadStackSize = std::size_t{64} << 20;

}  // namespace script::platform
