#pragma once
// A temporary folder for script files, removed with the object, and the
// reading of a whole file.
#include <filesystem>
#include <string>

namespace script::test {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  // Writes a file (creating folders) and returns its path.
  std::string Write(const std::string& relativePath, const std::string& content) const;
  std::string PathOf(const std::string& relativePath) const { return (root_ / relativePath).string(); }
  const std::filesystem::path& Root() const { return root_; }

 private:
  std::filesystem::path root_;
};

// The bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace script::test
