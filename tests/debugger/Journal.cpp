#include "tests/debugger/Journal.h"

#include <algorithm>
#include <utility>

namespace script::test {

void Journal::OnBreakpoint(uint32_t file, uint32_t lineIndex, bool set) {
  Record("bp " + std::to_string(file) + ":" + std::to_string(lineIndex) + (set ? " on" : " off"));
}

void Journal::OnBreak(uint32_t file, uint32_t lineIndex, uint32_t threadId, Scope* scope) {
  Record("break " + std::to_string(file) + ":" + std::to_string(lineIndex) + " " + std::to_string(threadId) +
         (scope != nullptr ? " scope" : ""));
}

void Journal::Record(const std::string& entry) {
  {
    std::lock_guard lock(mutex_);
    entries_.push_back(entry);
  }
  added_.notify_all();
}

void Journal::WaitFor(const std::string& entry, std::size_t times) {
  auto matches = [&entry](const std::string& e) { return e == entry || e.starts_with(entry + " "); };
  std::unique_lock lock(mutex_);
  added_.wait(lock, [&] {
    return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(), matches)) >= times;
  });
}

std::vector<std::string> Journal::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(entries_, {});
}

}  // namespace script::test
