#pragma once
// The worker thread that executes a loaded script: its parameter, shared by
// the interface thread and the worker so that the session lives until the
// last of them lets go, and the thread body.
#include "kelvra/ScriptSession.h"
#include "kv_thread_lib/SafeThread.h"

namespace kelvra::ide {

class CDebugController;

struct CRunParameter {
  kv_thread_lib::smart_ptr<script::ScriptSession> runner;
  CDebugController* app = nullptr;
};

using CRunHandle = kv_thread_lib::smart_ptr<CRunParameter>;

class CRunner : public kv_thread_lib::CThreadInterface<CRunParameter> {
 public:
  // Executes the script on the worker.
  void Run(CRunHandle parameter) override;
  // When the run is over: detaches the debugger events and tells the
  // controller on the interface thread, waiting until it has handled it.
  void OnThreadState(int state, CRunHandle* parameter) override;
};

using CRunThread = kv_thread_lib::CSafeThread<CRunner, CRunParameter>;

}  // namespace kelvra::ide
