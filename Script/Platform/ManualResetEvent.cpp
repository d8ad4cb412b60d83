#include "Script/Platform/ManualResetEvent.h"

namespace script::platform {

void ManualResetEvent::Set() {
  {
    std::lock_guard lock(mutex_);
    signalled_ = true;
  }
  changed_.notify_all();
}

void ManualResetEvent::Reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

void ManualResetEvent::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

void ManualResetEvent::Reopen() {
  std::lock_guard lock(mutex_);
  closed_ = false;
  signalled_ = false;
}

bool ManualResetEvent::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return signalled_ || closed_; });
  return !closed_;
}

bool ManualResetEvent::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  bool woke = changed_.wait_for(lock, timeout, [this] { return signalled_ || closed_; });
  return woke && !closed_;
}

bool ManualResetEvent::IsSet() const {
  std::lock_guard lock(mutex_);
  return signalled_ && !closed_;
}

}  // namespace script::platform
