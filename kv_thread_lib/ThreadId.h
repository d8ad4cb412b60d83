#pragma once
// Thread ids of this library: small non-zero numbers, one per thread, so
// that 0 can mean "no thread".
#include <cstdint>

namespace kv_thread_lib {

uint32_t CurrentThreadId();
// A fresh id, not yet used by any thread.
uint32_t ReserveThreadId();
// Gives the calling thread a reserved id; called first thing on a new thread.
void AdoptThreadId(uint32_t id);

}  // namespace kv_thread_lib
