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
  void Lock() override { m_mutex.lock(); }
  void Unlock() override { m_mutex.unlock(); }

 private:
  std::recursive_mutex m_mutex;
};

// Holds a lock for the lifetime of a scope.
class CScopedLock {
 public:
  explicit CScopedLock(CCriticalSecInterface& lock) : m_lock(lock) { m_lock.Lock(); }
  ~CScopedLock() { m_lock.Unlock(); }
  CScopedLock(const CScopedLock&) = delete;
  CScopedLock& operator=(const CScopedLock&) = delete;

 private:
  CCriticalSecInterface& m_lock;
};

}  // namespace kv_thread_lib
