// kelvra: compiles and runs Kelvra scripts from the command line.
#include <cstdio>
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
      int status = command.run(std::span<const std::string>(arguments).subspan(1));
      if (status != kelvra::EXIT_USAGE) return status;
      break;
    }
  }
  PrintUsage(stderr);
  return kelvra::EXIT_USAGE;
}
