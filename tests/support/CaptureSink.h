#pragma once
// An output sink that keeps the lines of each channel, and a helper that
// blanks the engine line numbers of "INTERNAL: " lines for comparison.
#include <mutex>
#include <string>
#include <vector>

#include "kelvra/StdOutInterface.h"

namespace script::test {

class CaptureSink final : public StdOutInterface {
 public:
  void Print(int32_t channel, const std::string& text) override;
  void Clear() override;

  std::vector<std::string> Lines(int32_t channel) const;

 private:
  mutable std::mutex lock_;
  std::vector<std::string> build_;
  std::vector<std::string> run_;
};

// "INTERNAL: Compiler(123): f" becomes "INTERNAL: Compiler(N): f".
std::string WithoutEngineLine(const std::string& line);
std::vector<std::string> WithoutEngineLines(std::vector<std::string> lines);

}  // namespace script::test
