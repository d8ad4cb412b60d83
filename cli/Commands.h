#pragma once
// The commands of the kelvra tool.
#include <span>
#include <string>

namespace kelvra {

// Exit statuses shared by the commands.
enum ExitStatus : int {
  EXIT_OK = 0,
  EXIT_FAILED = 1,         // the script did not compile, or its output could not be written
  EXIT_RUNTIME_ERROR = 2,  // the run ended with an error or a processor fault
  EXIT_USAGE = 64,
};

struct Command {
  const char* name;
  const char* synopsis;  // arguments, as the usage text shows them
  const char* summary;
  // Runs the command with the arguments after its name; returns the exit status.
  int (*run)(std::span<const std::string> arguments);
};

std::span<const Command> AllCommands();

// Compiles FILE and prints the build report.
int BuildCommand(std::span<const std::string> arguments);
// Compiles FILE into FILE.bin and prints the build report.
int CompileCommand(std::span<const std::string> arguments);
// Reads the compiled FILE and writes it back as source text into FILE.kelvra.
int DecompileCommand(std::span<const std::string> arguments);
// Compiles and runs FILE; --leaks prints the heap's leak report afterwards, --globals the globals.
int RunCommand(std::span<const std::string> arguments);

}  // namespace kelvra
