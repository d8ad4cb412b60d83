#pragma once
// A file that replaces its target only once it is completely written: the
// bytes go to a temporary file beside the target, which is renamed into
// place on Commit. A failed or abandoned write leaves the target as it was.
#include <cstddef>
#include <string>

namespace script::platform {

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // Removes the temporary file of a write that was not committed.
  ~ReplacingFile();

  // Creates the temporary file for `target`. False with the system error
  // number when the target's folder is missing or not writable, or when the
  // target exists and is read-only.
  bool Open(const std::string& target, int& systemError);
  // Appends bytes; false with the system error number (a full disk).
  bool Write(const char* bytes, std::size_t length, int& systemError);
  // Flushes the bytes to the disk and renames the file onto the target,
  // which keeps the permissions an earlier file there had.
  bool Commit(int& systemError);
  // Removes the temporary file; the target stays as it was.
  void Abandon();

 private:
  int descriptor_ = -1;
  std::string target_;
  std::string temporary_;
};

}  // namespace script::platform
