#include "kv_thread_lib/ThreadId.h"

#include <atomic>

namespace kv_thread_lib {

namespace {
std::atomic<uint32_t> lastThreadId{0};
thread_local uint32_t currentThreadId = 0;
}  // namespace

uint32_t ReserveThreadId() { return lastThreadId.fetch_add(1, std::memory_order_relaxed) + 1; }

uint32_t CurrentThreadId() {
  if (currentThreadId == 0) currentThreadId = ReserveThreadId();
  return currentThreadId;
}

void AdoptThreadId(uint32_t id) { currentThreadId = id; }

}  // namespace kv_thread_lib
