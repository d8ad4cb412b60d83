#include <thread>

#include "Script/Script/ScriptRunner.h"
#include "cli/Commands.h"
#include "cli/ConsoleSink.h"
#include "cli/HeadlessDebugger.h"

namespace kelvra {

namespace {

struct RunOptions {
  bool leaks = false;
  std::string path;
};

bool ParseRunOptions(std::span<const std::string> arguments, RunOptions& options) {
  if (arguments.empty()) return false;
  for (const std::string& option : arguments.first(arguments.size() - 1)) {
    if (option != "--leaks") return false;
    options.leaks = true;
  }
  options.path = arguments.back();
  return !options.path.starts_with("--");
}

}  // namespace

int RunCommand(std::span<const std::string> arguments) {
  RunOptions options;
  if (!ParseRunOptions(arguments, options)) return EXIT_USAGE;
  ConsoleSink sink;
  script::ScriptRunner runner(options.path, &sink);
  if (!runner.Load()) return EXIT_FAILED;

  script::Interpreter& interpreter = runner.GetInterpreter();
  HeadlessDebugger events;
  interpreter.AttachDebugger(&events);
  bool succeeded = false;
  std::thread worker([&] {
    succeeded = runner.Execute();
    // Lets the wait below end when the run could not start.
    interpreter.DebuggerFanOut().Started().Set();
  });
  // The script thread is held before its first statement until resumed.
  interpreter.DebuggerFanOut().Started().Wait();
  while (!interpreter.Debugger().Run()) std::this_thread::yield();
  worker.join();
  interpreter.DetachDebugger();
  if (options.leaks) interpreter.Heap().DumpLeaks();
  return succeeded ? EXIT_OK : EXIT_RUNTIME_ERROR;
}

}  // namespace kelvra
