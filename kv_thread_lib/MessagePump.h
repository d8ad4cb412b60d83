#pragma once
// The hook through which waits keep a thread's event loop turning. An
// application installs a pump on its interface thread; a wait on that
// thread then dispatches the thread's messages until the awaited object is
// signalled. The library itself knows no window system.

namespace kv_thread_lib {

class CMessagePump {
 public:
  virtual ~CMessagePump() = default;
  // Blocks until messages arrive or Wake is called, then dispatches the
  // queued messages. False when a quit message was met: the wait that
  // called it is abandoned.
  virtual bool DispatchMessages() = 0;
  // Called from any thread: makes a blocked DispatchMessages return.
  virtual void Wake() = 0;
};

// Installs the pump of the calling thread (null removes it); not owned.
void InstallMessagePump(CMessagePump* pump);
// The calling thread's pump, or null.
CMessagePump* CurrentMessagePump();

}  // namespace kv_thread_lib
