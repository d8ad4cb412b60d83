#pragma once
// An abstract worker thread that takes one shared parameter. A user class
// derives from it and supplies Run and OnThreadState; CSafeThread supplies
// the rest.
#include "kv_thread_lib/Event.h"
#include "kv_thread_lib/SmartPtr.h"

namespace kv_thread_lib {

// The states OnThreadState reports.
enum ThreadState {
  ThreadStarted = 0,   // on the new thread, before the body
  ThreadFinished = 1,  // on the thread, after the body
  ThreadStopping = 2,  // on the thread that stops it, before it waits
};

template <class P, class F = sp_free<P>, class SP = smart_ptr<P, F>>
class CThreadInterface {
 public:
  virtual ~CThreadInterface() = default;

  // Starts the thread with a parameter; true once it runs and has signalled its start.
  virtual bool Start(const SP& parameter) = 0;
  // Waits for a running thread to end: true only when it had already ended.
  virtual bool Stop() = 0;
  // Waits for the thread to end.
  virtual bool Wait() = 0;
  // Waits for an event while the calling thread's messages are dispatched.
  virtual bool WaitForObject(CEvent& object) = 0;
  // The running thread's id, 0 when none.
  virtual unsigned GetThreadId() = 0;
  // The thread's body.
  virtual void Run(SP parameter) = 0;
  virtual void OnThreadState(int state, SP* parameter) = 0;
};

}  // namespace kv_thread_lib
