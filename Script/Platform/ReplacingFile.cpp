#include "Script/Platform/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace script::platform {

namespace {

// Distinguishes the temporary files of writers in one process.
std::atomic<unsigned> temporaryCounter{0};

// A target that exists must be writable: by the permission check, and by
// its mode bits, which also hold for a process that bypasses the check.
// `mode` receives the permission bits of an existing target, which its
// replacement keeps.
bool IsWritableTarget(const std::string& target, mode_t& mode, int& systemError) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) return true;
  mode = status.st_mode & 07777;
  if (S_ISDIR(status.st_mode)) {
    systemError = EISDIR;
    return false;
  }
  if (::access(target.c_str(), W_OK) != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    systemError = EACCES;
    return false;
  }
  return true;
}

}  // namespace

ReplacingFile::~ReplacingFile() { Abandon(); }

bool ReplacingFile::Open(const std::string& target, int& systemError) {
  Abandon();
  constexpr mode_t kNoMode = ~mode_t{0};
  mode_t mode = kNoMode;
  if (!IsWritableTarget(target, mode, systemError)) return false;
  target_ = target;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(temporaryCounter++);
    descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor_ >= 0) {
      if (mode != kNoMode) ::fchmod(descriptor_, mode);
      return true;
    }
    if (errno != EEXIST) break;
  }
  systemError = errno;
  temporary_.clear();
  return false;
}

bool ReplacingFile::Write(const char* bytes, std::size_t length, int& systemError) {
  while (length > 0) {
    const ssize_t written = ::write(descriptor_, bytes, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      systemError = errno;
      return false;
    }
    bytes += written;
    length -= static_cast<std::size_t>(written);
  }
  return true;
}

bool ReplacingFile::Commit(int& systemError) {
  // A late failure (a full disk noticed on flush or close) counts as much
  // as one while writing.
  int failure = ::fsync(descriptor_) == 0 ? 0 : errno;
  if (::close(descriptor_) != 0 && failure == 0) failure = errno;
  descriptor_ = -1;
  if (failure == 0 && std::rename(temporary_.c_str(), target_.c_str()) != 0) failure = errno;
  if (failure != 0) {
    systemError = failure;
    Abandon();
    return false;
  }
  temporary_.clear();
  return true;
}

void ReplacingFile::Abandon() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace script::platform
