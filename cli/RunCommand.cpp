#include <optional>

#include "cli/Commands.h"
#include "cli/ConsoleSink.h"
#include "kelvra/ScriptSession.h"

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

// Prints the global variables when the run's own thread ends, while its
// storage is still alive; the threads of native callbacks end too but do not
// own the globals. The lines go through the sink, so they follow the build
// report on standard output.
class GlobalsPrinter final : public script::SessionEvents {
 public:
  GlobalsPrinter(const script::ScriptSession& session, script::StdOutInterface& sink)
      : session_(session), sink_(sink) {}

  void OnThreadEnd(uint32_t threadId) override {
    if (threadId != session_.RunThreadId()) return;
    session_.ListGlobals([this](const std::string& line) { sink_.Print(script::CHANNEL_BUILD, line); });
  }

 private:
  const script::ScriptSession& session_;
  script::StdOutInterface& sink_;
};

}  // namespace

int RunCommand(std::span<const std::string> arguments) {
  RunOptions options;
  if (!ParseRunOptions(arguments, options)) return EXIT_USAGE;
  ConsoleSink sink;
  script::ScriptSession session(options.path, sink);
  if (!session.Load()) return EXIT_FAILED;

  std::optional<GlobalsPrinter> globals;
  if (options.globals) session.AttachEvents(&globals.emplace(session, sink));
  // The run starts held before its first statement; Start resumes it.
  session.Start(script::DebugCommand::Run);
  const bool succeeded = session.Wait();
  session.DetachEvents();
  if (options.leaks) session.DumpLeaks();
  return succeeded ? EXIT_OK : EXIT_RUNTIME_ERROR;
}

}  // namespace kelvra
