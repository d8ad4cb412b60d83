#pragma once
// Reading a script file whole.
#include <string>

namespace script::platform {

// Reads a regular file into `text`, as many bytes as its size says when it
// is opened. Returns 0, or the system error number: a directory is refused
// with EISDIR and any other file that is not a regular file (a device, a
// FIFO, a socket) with EINVAL, neither of them read; a file larger than 4 GiB
// with EFBIG; ENOMEM when its text does not fit in memory.
int ReadRegularFile(const std::string& path, std::string& text);

}  // namespace script::platform
