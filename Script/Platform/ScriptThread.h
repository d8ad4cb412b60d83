#pragma once
// A thread whose machine stack is as large as a script run needs
// (kScriptThreadStackSize); std::thread cannot choose its stack size.
#include <functional>

namespace script::platform {

class ScriptThread {
 public:
  ScriptThread() = default;
  // Joins a thread still running.
  ~ScriptThread();
  ScriptThread(const ScriptThread&) = delete;
  ScriptThread& operator=(const ScriptThread&) = delete;

  // Runs `body` on a new thread; false (and `body` not run) when the system
  // refuses the thread, with the system error number in `systemError`.
  bool Start(std::function<void()> body, int& systemError);
  // Waits for the thread's end; nothing when none was started.
  void Join();
  // Started and not joined yet.
  bool IsRunning() const { return running_; }

 private:
  static void* Entry(void* self);

  std::function<void()> body_;
  unsigned long handle_ = 0;
  bool running_ = false;
};

}  // namespace script::platform
