#pragma once
// A waitable event, manual- or auto-reset. An auto-reset event is reset by
// the wait or poll that sees it signalled.
#include <condition_variable>
#include <mutex>
#include <vector>

namespace kv_thread_lib {

class CMessagePump;

class CEvent {
 public:
  enum class ResetMode { Manual, Auto };

  explicit CEvent(ResetMode mode, bool signalled = false) : m_mode(mode), m_signalled(signalled) {}
  CEvent(const CEvent&) = delete;
  CEvent& operator=(const CEvent&) = delete;

  void Set();
  void Reset();
  // True when signalled, without blocking.
  bool Poll();
  // Blocks until signalled.
  void Wait();

  // Pumps to wake when the event is set, while a thread waits on it.
  void AddWaker(CMessagePump* pump);
  void RemoveWaker(CMessagePump* pump);

 private:
  bool TakeSignal();  // with m_mutex held

  const ResetMode m_mode;
  std::mutex m_mutex;
  std::condition_variable m_signalledChanged;
  bool m_signalled;
  std::vector<CMessagePump*> m_wakers;
};

// Waits for the event; on a thread with an installed pump the thread's
// messages are dispatched meanwhile. True when the event became signalled,
// false when a quit message abandoned the wait.
bool WaitForObject(CEvent& object);

}  // namespace kv_thread_lib
