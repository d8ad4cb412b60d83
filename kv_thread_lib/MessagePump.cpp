#include "kv_thread_lib/MessagePump.h"

namespace kv_thread_lib {

namespace {
thread_local CMessagePump* installedPump = nullptr;
}

void InstallMessagePump(CMessagePump* pump) { installedPump = pump; }

CMessagePump* CurrentMessagePump() { return installedPump; }

}  // namespace kv_thread_lib
