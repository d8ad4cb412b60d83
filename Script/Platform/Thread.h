#pragma once
// Thread identity.
#include <cstdint>

namespace script::platform {

// The kernel's id of the calling thread.
uint32_t CurrentThreadId();

}  // namespace script::platform
