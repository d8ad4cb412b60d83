#pragma once
// The breakpoints of one scope: (file id, line) pairs of its own statements.
// The application's thread changes the set while the scope's thread checks it
// before every statement. The count is read without the lock, so an empty set
// costs one load and no hashing.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <unordered_set>

namespace script {

class BreakpointSet {
 public:
  void Set(uint32_t file, uint32_t line) {
    std::lock_guard lock(mutex_);
    lines_.insert(Key(file, line));
    count_.store(lines_.size(), std::memory_order_relaxed);
  }
  void Remove(uint32_t file, uint32_t line) {
    std::lock_guard lock(mutex_);
    lines_.erase(Key(file, line));
    count_.store(lines_.size(), std::memory_order_relaxed);
  }
  bool Contains(uint32_t file, uint32_t line) const {
    if (Empty()) return false;
    std::lock_guard lock(mutex_);
    return lines_.contains(Key(file, line));
  }
  bool Empty() const { return count_.load(std::memory_order_relaxed) == 0; }

 private:
  static uint64_t Key(uint32_t file, uint32_t line) { return uint64_t{file} << 32 | line; }

  mutable std::mutex mutex_;
  std::unordered_set<uint64_t> lines_;
  std::atomic<std::size_t> count_{0};
};

}  // namespace script
