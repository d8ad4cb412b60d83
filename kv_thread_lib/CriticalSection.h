#pragma once
// A lock interface and its process-local implementation, recursive for the
// owning thread.
#include <mutex>

namespace kv_thread_lib {

class CCriticalSecInterface {
 public:
  virtual ~CCriticalSecInterface() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

class CLocalCriticalSec final : public CCriticalSecInterface {
 public:
  void Lock() override { mutex_.lock(); }
  void Unlock() override { mutex_.unlock(); }

 private:
  std::recursive_mutex mutex_;
};

// Holds a lock for the lifetime of a scope.
class CScopedLock {
 public:
  explicit CScopedLock(CCriticalSecInterface& lock) : lock_(lock) { lock_.Lock(); }
  ~CScopedLock() { lock_.Unlock(); }
  CScopedLock(const CScopedLock&) = delete;
  CScopedLock& operator=(const CScopedLock&) = delete;

 private:
  CCriticalSecInterface& lock_;
};

}  // namespace kv_thread_lib
