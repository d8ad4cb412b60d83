#include "Script/Platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace script::platform {

int LastErrorNumber() { return errno; }

void SetLastErrorNumber(int number) { errno = number; }

std::string SystemMessage(int number) { return std::strerror(number); }

}  // namespace script::platform
