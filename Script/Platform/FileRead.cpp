#include "Script/Platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <new>

namespace script::platform {

namespace {

// Closes the descriptor when the read ends, whichever way.
class OpenFile {
 public:
  explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
  ~OpenFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int Descriptor() const { return descriptor_; }

 private:
  int descriptor_;
};

}  // namespace

int ReadRegularFile(const std::string& path, std::string& text) {
  text.clear();
  // Without O_NONBLOCK, opening a FIFO would wait for a writer.
  OpenFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.Descriptor() < 0) return errno;
  struct stat status {};
  if (::fstat(file.Descriptor(), &status) != 0) return errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  if (!S_ISREG(status.st_mode)) return EINVAL;
  if (static_cast<uint64_t>(status.st_size) > UINT32_MAX) return EFBIG;
  try {
    text.resize(static_cast<std::size_t>(status.st_size));
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t count = ::read(file.Descriptor(), text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return errno;
    if (count == 0) break;  // the file became shorter meanwhile
    done += static_cast<std::size_t>(count);
  }
  text.resize(done);
  return 0;
}

}  // namespace script::platform
