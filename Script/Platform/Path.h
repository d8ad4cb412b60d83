#pragma once
// Path resolution.
#include <optional>
#include <string>

namespace script::platform {

// Longest full path accepted, terminating zero included.
inline constexpr std::size_t kMaxPathBuffer = 4096;

// Makes a path absolute against the current directory and removes "." and
// ".." parts lexically; the file need not exist. On failure returns nothing
// and leaves the reason in the last system error number.
std::optional<std::string> FullPath(const std::string& path);

// The path of the existing file a path names, with symbolic links, "." and
// ".." resolved: two paths to the same file give the same text. Nothing
// when the file does not exist.
std::optional<std::string> CanonicalPath(const std::string& path);

// The directory part of a path up to and including its last "/"; empty
// when the path has no "/".
std::string DirectoryOf(const std::string& path);

// The path without its directory part.
std::string FileNameOf(const std::string& path);

}  // namespace script::platform
