#pragma once
// A recursive lock with a non-blocking attempt.
#include <mutex>

namespace script::platform {

class CriticalSection {
 public:
  void Enter() { mutex_.lock(); }
  // Takes the lock only when that needs no wait; true when taken.
  bool TryEnter() { return mutex_.try_lock(); }
  void Leave() { mutex_.unlock(); }

  // BasicLockable, for std::lock_guard and std::unique_lock.
  void lock() { Enter(); }
  void unlock() { Leave(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace script::platform
