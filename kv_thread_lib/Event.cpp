#include "kv_thread_lib/Event.h"

#include <algorithm>

#include "kv_thread_lib/MessagePump.h"

namespace kv_thread_lib {

void CEvent::Set() {
  std::lock_guard lock(mutex_);
  signalled_ = true;
  signalled_changed_.notify_all();
  // Under the mutex, so that a waiter cannot remove and destroy its pump meanwhile.
  for (CMessagePump* pump : wakers_) pump->Wake();
}

void CEvent::Reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

bool CEvent::Poll() {
  std::lock_guard lock(mutex_);
  return TakeSignal();
}

void CEvent::Wait() {
  std::unique_lock lock(mutex_);
  signalled_changed_.wait(lock, [this] { return signalled_; });
  TakeSignal();
}

bool CEvent::TakeSignal() {
  if (!signalled_) return false;
  if (mode_ == ResetMode::Auto) signalled_ = false;
  return true;
}

void CEvent::AddWaker(CMessagePump* pump) {
  std::lock_guard lock(mutex_);
  wakers_.push_back(pump);
}

void CEvent::RemoveWaker(CMessagePump* pump) {
  std::lock_guard lock(mutex_);
  wakers_.erase(std::find(wakers_.begin(), wakers_.end(), pump));
}

namespace {

// Registers a pump with an event for the length of one wait.
class WakerRegistration {
 public:
  WakerRegistration(CEvent& event, CMessagePump& pump) : event_(event), pump_(pump) { event_.AddWaker(&pump_); }
  ~WakerRegistration() { event_.RemoveWaker(&pump_); }
  WakerRegistration(const WakerRegistration&) = delete;
  WakerRegistration& operator=(const WakerRegistration&) = delete;

 private:
  CEvent& event_;
  CMessagePump& pump_;
};

}  // namespace

bool WaitForObject(CEvent& object) {
  CMessagePump* pump = CurrentMessagePump();
  if (pump == nullptr) {
    object.Wait();
    return true;
  }
  WakerRegistration registration(object, *pump);
  while (!object.Poll()) {
    if (!pump->DispatchMessages()) return false;
  }
  return true;
}

}  // namespace kv_thread_lib
