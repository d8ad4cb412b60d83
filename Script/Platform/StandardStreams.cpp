#include "Script/Platform/StandardStreams.h"

#include <stdio_ext.h>

#include <cstdio>

namespace script::platform {

void FlushPendingOutput() {
  if (::__fpending(stdout) != 0) std::fflush(stdout);
  if (::__fpending(stderr) != 0) std::fflush(stderr);
}

}  // namespace script::platform
