#include "Script/Platform/StackDepth.h"

#include <pthread.h>

#include <cstdint>
#include <limits>

namespace script::platform {

namespace {

// The low end of the calling thread's stack; 0 when it cannot be read.
uintptr_t ReadStackLowEnd() {
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
  void* low = nullptr;
  std::size_t size = 0;
  const bool read = pthread_attr_getstack(&attributes, &low, &size) == 0;
  pthread_attr_destroy(&attributes);
  return read ? reinterpret_cast<uintptr_t>(low) : 0;
}

}  // namespace

std::size_t StackRoomLeft() {
  thread_local const uintptr_t lowEnd = ReadStackLowEnd();
  if (lowEnd == 0) return std::numeric_limits<std::size_t>::max();
  const auto here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  return here > lowEnd ? here - lowEnd : 0;
}

}  // namespace script::platform
