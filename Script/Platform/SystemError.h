#pragma once
// System error numbers and their message texts.
#include <string>

namespace script::platform {

// The calling thread's last system error number (errno).
int LastErrorNumber();
void SetLastErrorNumber(int number);

// The C library's message text for a system error number, without a line break.
std::string SystemMessage(int number);

}  // namespace script::platform
