#include "cli/Commands.h"

#include "cli/ConsoleSink.h"
#include "kelvra/ScriptSession.h"

namespace kelvra {

namespace {

constexpr Command kCommands[] = {
    {"build", "FILE", "compile a script and print the build report", BuildCommand},
    {"run", "[--leaks] [--globals] FILE",
     "compile and run a script; --leaks prints the leak report, --globals the global variables", RunCommand},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

int BuildCommand(std::span<const std::string> arguments) {
  if (arguments.size() != 1) return EXIT_USAGE;
  ConsoleSink sink;
  script::ScriptSession session(arguments[0], sink);
  return session.Load() ? EXIT_OK : EXIT_FAILED;
}

}  // namespace kelvra
