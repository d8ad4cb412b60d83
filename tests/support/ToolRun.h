#pragma once
// Running the kelvra command-line tool as a process.
#include <string>

namespace script::test {

struct ToolResult {
  int status = -1;  // the exit status; -1 when the tool did not exit normally
  std::string out;
  std::string err;
};

// Runs kelvra with shell-quoted arguments in a folder, capturing both streams.
ToolResult RunTool(const std::string& arguments, const std::string& workingDirectory = ".");

// As RunTool, with standard output and error going to one file, as they
// would to one pipe; the text comes back in `out`.
ToolResult RunToolMerged(const std::string& arguments, const std::string& workingDirectory = ".");

// Writes a script into a fresh folder and runs "kelvra run --globals" on it.
ToolResult RunScriptWithGlobals(const std::string& script);

}  // namespace script::test
