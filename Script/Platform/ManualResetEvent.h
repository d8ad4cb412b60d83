#pragma once
// An event that stays signalled until reset; closing it makes every wait fail.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace script::platform {

class ManualResetEvent {
 public:
  explicit ManualResetEvent(bool signalled = false) : signalled_(signalled) {}

  void Set();
  void Reset();
  // Wakes every waiter and makes current and later waits return false.
  void Close();
  // Reopens a closed event, unsignalled.
  void Reopen();

  // Waits until signalled; false when the event was closed.
  bool Wait();
  // As Wait, also false when the timeout passes first.
  bool WaitFor(std::chrono::milliseconds timeout);
  bool IsSet() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_;
  bool closed_ = false;
};

}  // namespace script::platform
