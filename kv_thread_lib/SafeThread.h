#pragma once
// The worker thread of a user class T (derived from CThreadInterface):
// one thread at a time, started with a shared parameter, whose exceptions
// never leave the thread, and whose waits keep the calling thread's message
// pump turning (see MessagePump.h).
#include <memory>
#include <system_error>
#include <thread>

#include "kv_thread_lib/CriticalSection.h"
#include "kv_thread_lib/Event.h"
#include "kv_thread_lib/ThreadId.h"
#include "kv_thread_lib/ThreadInterface.h"

namespace kv_thread_lib {

template <class T, class P, class F = sp_free<P>, class SP = smart_ptr<P, F>>
class CSafeThread : public T {
 public:
  template <class... Args>
  explicit CSafeThread(Args&&... args) : T(std::forward<Args>(args)...) {}

  CSafeThread(const CSafeThread&) = delete;
  CSafeThread& operator=(const CSafeThread&) = delete;

  // Waits for a thread still running (unless called on it) and for the
  // thread procedure to return, so the thread never outlives the object.
  ~CSafeThread() override {
    if (CurrentThreadId() == GetThreadId()) return;
    std::shared_ptr<CEvent> handle = ThreadHandle();
    if (handle && !handle->Poll()) {
      OnThreadState(ThreadStopping, &m_parameter);
      WaitForObject(*handle);
    }
    std::shared_ptr<CEvent> procedure;
    {
      CScopedLock lock(m_lock);
      procedure = m_procedureEnded;
    }
    if (procedure && !WaitForObject(*procedure)) procedure->Wait();
  }

  bool Start(const SP& parameter) override {
    {
      CScopedLock lock(m_lock);
      if (m_threadHandle) return false;
      // A thread whose start was abandoned may have signalled since.
      m_startedEvent.Reset();
      m_parameter = parameter;
      auto ended = std::make_shared<CEvent>(CEvent::ResetMode::Manual);
      const uint32_t id = ReserveThreadId();
      try {
        std::thread([this, ended, id] {
          AdoptThreadId(id);
          ThreadProcedure();
          ended->Set();
        }).detach();
      } catch (const std::system_error&) {
        return false;
      }
      m_threadId = id;
      m_threadHandle = ended;
      m_procedureEnded = ended;
    }
    if (WaitForObject(m_startedEvent)) return true;
    CScopedLock lock(m_lock);
    m_threadHandle.reset();
    m_threadId = 0;
    return false;
  }

  bool Stop() override {
    if (CurrentThreadId() == GetThreadId()) return false;
    std::shared_ptr<CEvent> handle = ThreadHandle();
    if (!handle || handle->Poll()) return true;
    OnThreadState(ThreadStopping, &m_parameter);
    WaitForObject(*handle);
    return false;
  }

  bool Wait() override {
    std::shared_ptr<CEvent> handle = ThreadHandle();
    return !handle || WaitForObject(*handle);
  }

  bool WaitForObject(CEvent& object) override { return kv_thread_lib::WaitForObject(object); }

  unsigned GetThreadId() override {
    CScopedLock lock(m_lock);
    return m_threadId;
  }

  // Reports to the user class, swallowing its exceptions; after the
  // finished report the thread counts as gone. (A thread whose start was
  // abandoned has been forgotten already and must not forget a later one.)
  void OnThreadState(int state, SP* parameter) override {
    try {
      T::OnThreadState(state, parameter);
    } catch (...) {
    }
    if (state != ThreadFinished) return;
    CScopedLock lock(m_lock);
    if (m_threadId != CurrentThreadId()) return;
    m_threadId = 0;
    m_threadHandle.reset();
  }

 private:
  void ThreadProcedure() {
    OnThreadState(ThreadStarted, &m_parameter);
    m_startedEvent.Set();
    try {
      SP parameter = m_parameter;
      this->Run(parameter);
    } catch (...) {
    }
    OnThreadState(ThreadFinished, &m_parameter);
  }

  std::shared_ptr<CEvent> ThreadHandle() {
    CScopedLock lock(m_lock);
    return m_threadHandle;
  }

  unsigned m_threadId = 0;
  CEvent m_startedEvent{CEvent::ResetMode::Auto};
  // Set when the thread has ended; null when there is no thread.
  std::shared_ptr<CEvent> m_threadHandle;
  SP m_parameter;
  CLocalCriticalSec m_lock;
  // Set when the last started thread procedure returns; kept after the
  // thread counts as gone, for the destructor.
  std::shared_ptr<CEvent> m_procedureEnded;
};

}  // namespace kv_thread_lib
