#include "tests/support/InProcessRun.h"

#include <thread>

namespace script::test {

InProcessRun::InProcessRun(const std::string& script)
    : path_(dir_.Write("main.kelvra", script)), runner_(path_, &sink_), loaded_(runner_.Load()) {}

bool InProcessRun::Execute() {
  Interpreter& interpreter = Program();
  interpreter.DebuggerFanOut().Started().Reset();
  interpreter.AttachDebugger(&journal_);
  // A machine left running by an earlier run would not pass Run on.
  while (!interpreter.Debugger().Stop()) std::this_thread::yield();
  bool succeeded = false;
  std::thread worker([&] {
    succeeded = runner_.Execute();
    interpreter.DebuggerFanOut().Started().Set();
  });
  // The script thread is held before its first statement until resumed.
  interpreter.DebuggerFanOut().Started().Wait();
  while (!interpreter.Debugger().Run()) std::this_thread::yield();
  worker.join();
  interpreter.DetachDebugger();
  return succeeded;
}

}  // namespace script::test
