#pragma once
// Runs the kelvra command-line tool as a process.
#include <string>

namespace script::test {

struct ToolResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs kelvra with shell-quoted arguments in a folder, capturing both streams.
ToolResult RunTool(const std::string& arguments, const std::string& workingDirectory = ".");

// Writes the script as main.kelvra into a fresh folder and runs it with
// `run --globals` there.
ToolResult RunWithGlobals(const std::string& script);

}  // namespace script::test
