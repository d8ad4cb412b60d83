// kelvra: compiles and runs Kelvra scripts from the command line.
#include <cstdio>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

void PrintUsage(std::FILE* stream) {
  std::fprintf(stream, "usage: kelvra COMMAND ARGUMENTS\n       kelvra --help\n\ncommands:\n");
  for (const kelvra::Command& command : kelvra::AllCommands()) {
    std::string call = std::string(command.name) + " " + command.synopsis;
    std::fprintf(stream, "  %-36s %s\n", call.c_str(), command.summary);
  }
}

// The engine reports its own allocation failures; this is the last guard
// for one in the tool itself, so that it ends with a message, not an abort.
int RunGuarded(const kelvra::Command& command, std::span<const std::string> arguments) {
  try {
    return command.run(arguments);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "kelvra: Out of memory.\n");
    return kelvra::EXIT_FAILED;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && arguments[0] == "--help") {
    PrintUsage(stdout);
    return kelvra::EXIT_OK;
  }
  if (!arguments.empty()) {
    for (const kelvra::Command& command : kelvra::AllCommands()) {
      if (arguments[0] != command.name) continue;
      int status = RunGuarded(command, std::span<const std::string>(arguments).subspan(1));
      if (status != kelvra::EXIT_USAGE) return status;
      break;
    }
  }
  PrintUsage(stderr);
  return kelvra::EXIT_USAGE;
}
