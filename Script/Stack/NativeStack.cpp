#include "Script/Stack/NativeStack.h"

#include <cstddef>

#include "Script/Platform/StackDepth.h"

namespace script {

namespace {

// Room kept for the native code around a run (calls into the heap, the
// debugger gate, conversions), and the most one level of nodes takes, as
// measured with a margin; sanitizer and unoptimised builds use far larger
// frames.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(__OPTIMIZE__)
constexpr std::size_t kReserve = 512 * 1024;
constexpr std::size_t kBytesPerLevel = 4096;
#else
constexpr std::size_t kReserve = 256 * 1024;
constexpr std::size_t kBytesPerLevel = 1024;
#endif

}  // namespace

bool NativeStackHolds(uint32_t nesting) {
  return platform::StackRoomLeft() >= kReserve + std::size_t{nesting} * kBytesPerLevel;
}

}  // namespace script
