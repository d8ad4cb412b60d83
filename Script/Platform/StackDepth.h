#pragma once
// How much of the calling thread's machine stack is left. Script calls nest
// through several native frames each; a call checks the room left first so
// that deep recursion ends in a runtime error, not a crash.
#include <cstddef>

namespace script::platform {

// Bytes between the caller's stack position and the low end of the thread's
// stack; a large value when the bounds cannot be read.
std::size_t StackRoomLeft();

}  // namespace script::platform
