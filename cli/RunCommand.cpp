#include <cstdio>
#include <thread>

#include "Script/Expressions/Scope.h"
#include "Script/Platform/ScriptThread.h"
#include "Script/Platform/SystemError.h"
#include "Script/VariableView/GlobalsListing.h"
#include "Script/Script/ScriptRunner.h"
#include "Script/Stack/StackMemory.h"
#include "cli/Commands.h"
#include "cli/ConsoleSink.h"
#include "cli/HeadlessDebugger.h"

namespace kelvra {

namespace {

struct RunOptions {
  bool leaks = false;
  bool globals = false;
  std::string path;
};

bool ParseRunOptions(std::span<const std::string> arguments, RunOptions& options) {
  if (arguments.empty()) return false;
  for (const std::string& option : arguments.first(arguments.size() - 1)) {
    if (option == "--leaks") {
      options.leaks = true;
    } else if (option == "--globals") {
      options.globals = true;
    } else {
      return false;
    }
  }
  options.path = arguments.back();
  return !options.path.starts_with("--");
}

// Prints the global variables when the run thread ends; the threads of
// native callbacks end too but do not own the globals. The lines go through
// the sink, so they follow the build report on standard output.
void PrintGlobals(script::Interpreter& interpreter, script::StdOutInterface& sink, uint32_t threadId) {
  script::ThreadMap& threads = interpreter.Threads();
  script::StackMemory* stack = threads.GetStackMemory(threadId);
  const script::Node* root = interpreter.GetRoot();
  if (stack != threads.Main() || root == nullptr || root->TypeId() != script::TYPE_SCOPE) return;
  script::ListGlobals(static_cast<const script::Scope&>(*root), *stack, interpreter.Symbols(),
                      [&sink](const std::string& line) { sink.Print(script::CHANNEL_BUILD, line); });
}

}  // namespace

int RunCommand(std::span<const std::string> arguments) {
  RunOptions options;
  if (!ParseRunOptions(arguments, options)) return EXIT_USAGE;
  ConsoleSink sink;
  script::ScriptRunner runner(options.path, &sink);
  if (!runner.Load()) return EXIT_FAILED;

  script::Interpreter& interpreter = runner.GetInterpreter();
  HeadlessDebugger::ThreadEndAction onThreadEnd;
  if (options.globals) onThreadEnd = [&](uint32_t threadId) { PrintGlobals(interpreter, sink, threadId); };
  HeadlessDebugger events(std::move(onThreadEnd));
  interpreter.AttachDebugger(&events);
  bool succeeded = false;
  script::platform::ScriptThread worker;
  int systemError = 0;
  const bool started = worker.Start(
      [&] {
        succeeded = runner.Execute();
        // Lets the wait below end when the run could not start.
        interpreter.DebuggerFanOut().Started().Set();
      },
      systemError);
  if (!started) {
    std::fprintf(stderr, "kelvra: cannot start the script thread: %s\n",
                 script::platform::SystemMessage(systemError).c_str());
    return EXIT_RUNTIME_ERROR;
  }
  // The script thread is held before its first statement until resumed.
  interpreter.DebuggerFanOut().Started().Wait();
  while (!interpreter.Debugger().Run()) std::this_thread::yield();
  worker.Join();
  interpreter.DetachDebugger();
  if (options.leaks) interpreter.Heap().DumpLeaks();
  return succeeded ? EXIT_OK : EXIT_RUNTIME_ERROR;
}

}  // namespace kelvra
