#include "tests/support/CaptureSink.h"


namespace script::test {

void CaptureSink::Print(int32_t channel, const std::string& text) {
  std::lock_guard guard(lock_);
  if (channel == CHANNEL_BUILD) build_.push_back(text);
  if (channel == CHANNEL_RUN) run_.push_back(text);
}

void CaptureSink::Clear() {
  std::lock_guard guard(lock_);
  build_.clear();
  run_.clear();
}

std::vector<std::string> CaptureSink::Lines(int32_t channel) const {
  std::lock_guard guard(lock_);
  return channel == CHANNEL_BUILD ? build_ : run_;
}

std::string WithoutEngineLine(const std::string& line) {
  if (!line.starts_with("INTERNAL: ")) return line;
  std::size_t open = line.find('(');
  std::size_t close = line.find(')', open);
  if (open == std::string::npos || close == std::string::npos) return line;
  return line.substr(0, open + 1) + "N" + line.substr(close);
}

std::vector<std::string> WithoutEngineLines(std::vector<std::string> lines) {
  for (std::string& line : lines) line = WithoutEngineLine(line);
  return lines;
}

}  // namespace script::test
