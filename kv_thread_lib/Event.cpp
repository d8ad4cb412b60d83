#include "kv_thread_lib/Event.h"

#include <algorithm>

#include "kv_thread_lib/MessagePump.h"

namespace kv_thread_lib {

void CEvent::Set() {
  std::lock_guard lock(m_mutex);
  m_signalled = true;
  m_signalledChanged.notify_all();
  // Under the mutex, so that a waiter cannot remove and destroy its pump meanwhile.
  for (CMessagePump* pump : m_wakers) pump->Wake();
}

void CEvent::Reset() {
  std::lock_guard lock(m_mutex);
  m_signalled = false;
}

bool CEvent::Poll() {
  std::lock_guard lock(m_mutex);
  return TakeSignal();
}

void CEvent::Wait() {
  std::unique_lock lock(m_mutex);
  m_signalledChanged.wait(lock, [this] { return m_signalled; });
  TakeSignal();
}

bool CEvent::TakeSignal() {
  if (!m_signalled) return false;
  if (m_mode == ResetMode::Auto) m_signalled = false;
  return true;
}

void CEvent::AddWaker(CMessagePump* pump) {
  std::lock_guard lock(m_mutex);
  m_wakers.push_back(pump);
}

void CEvent::RemoveWaker(CMessagePump* pump) {
  std::lock_guard lock(m_mutex);
  m_wakers.erase(std::find(m_wakers.begin(), m_wakers.end(), pump));
}

namespace {

// Registers a pump with an event for the length of one wait.
class WakerRegistration {
 public:
  WakerRegistration(CEvent& event, CMessagePump& pump) : m_event(event), m_pump(pump) { m_event.AddWaker(&m_pump); }
  ~WakerRegistration() { m_event.RemoveWaker(&m_pump); }
  WakerRegistration(const WakerRegistration&) = delete;
  WakerRegistration& operator=(const WakerRegistration&) = delete;

 private:
  CEvent& m_event;
  CMessagePump& m_pump;
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
