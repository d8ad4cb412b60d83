#include "Script/Platform/Path.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace script::platform {

std::optional<std::string> FullPath(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    errno = ENOENT;
    return std::nullopt;
  }
  std::error_code failure;
  std::filesystem::path absolute = std::filesystem::absolute(path, failure);
  if (failure) {
    errno = failure.value();
    return std::nullopt;
  }
  std::string full = absolute.lexically_normal().string();
  if (full.size() + 1 > kMaxPathBuffer) {
    errno = ENAMETOOLONG;
    return std::nullopt;
  }
  return full;
}

std::optional<std::string> CanonicalPath(const std::string& path) {
  std::error_code failure;
  std::filesystem::path canonical = std::filesystem::canonical(path, failure);
  if (failure) return std::nullopt;
  return canonical.string();
}

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace script::platform
