#include "tests/support/TempDir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace script::test {

TempDir::TempDir() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  do {
    root_ = std::filesystem::temp_directory_path() / ("kelvra-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(root_));
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string TempDir::Write(const std::string& relativePath, const std::string& content) const {
  std::filesystem::path path = root_ / relativePath;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace script::test
