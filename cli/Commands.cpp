#include "cli/Commands.h"

#include "cli/ConsoleSink.h"
#include "kelvra/ScriptSession.h"

namespace kelvra {

namespace {

constexpr Command kCommands[] = {
    {"build", "FILE", "compile a script (.kelvra or .bin) and print the build report", BuildCommand},
    {"compile", "FILE", "compile a script into FILE.bin", CompileCommand},
    {"decompile", "FILE", "write a compiled script back as source text into FILE.kelvra", DecompileCommand},
    {"run", "[--leaks] [--globals] FILE",
     "compile and run a script (.kelvra or .bin); --leaks prints the leak report, --globals the global variables",
     RunCommand},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

int BuildCommand(std::span<const std::string> arguments) {
  if (arguments.size() != 1) return EXIT_USAGE;
  ConsoleSink sink;
  script::ScriptSession session(arguments[0], sink);
  return session.Load() ? EXIT_OK : EXIT_FAILED;
}

int CompileCommand(std::span<const std::string> arguments) {
  if (arguments.size() != 1) return EXIT_USAGE;
  ConsoleSink sink;
  return script::CompileScript(arguments[0], sink) ? EXIT_OK : EXIT_FAILED;
}

int DecompileCommand(std::span<const std::string> arguments) {
  if (arguments.size() != 1) return EXIT_USAGE;
  ConsoleSink sink;
  return script::DecompileScript(arguments[0], sink) ? EXIT_OK : EXIT_FAILED;
}

}  // namespace kelvra
