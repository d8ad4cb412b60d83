#include "tests/support/ToolRun.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "tests/support/TempDir.h"

namespace script::test {

namespace {

std::string Slurp(const std::string& path) {
  std::string text;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0;) text.append(buffer.data(), n);
    std::fclose(file);
  }
  return text;
}

// Runs the tool with the given redirections of its output.
int Run(const std::string& arguments, const std::string& workingDirectory, const std::string& redirections) {
  // Scripts find the tests' native libraries by their file names.
  std::string command = "cd '" + workingDirectory + "' && LD_LIBRARY_PATH='" + KELVRA_NATIVE_TEST_DIR + "' '" +
                        KELVRA_CLI_PATH + "' " + arguments + " " + redirections;
  int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace

ToolResult RunTool(const std::string& arguments, const std::string& workingDirectory) {
  TempDir capture;
  std::string out = capture.PathOf("out"), err = capture.PathOf("err");
  ToolResult result;
  result.status = Run(arguments, workingDirectory, ">'" + out + "' 2>'" + err + "'");
  result.out = Slurp(out);
  result.err = Slurp(err);
  return result;
}

ToolResult RunToolMerged(const std::string& arguments, const std::string& workingDirectory) {
  TempDir capture;
  std::string out = capture.PathOf("out");
  ToolResult result;
  result.status = Run(arguments, workingDirectory, ">'" + out + "' 2>&1");
  result.out = Slurp(out);
  return result;
}

ToolResult RunScriptWithGlobals(const std::string& script) {
  TempDir dir;
  return RunTool("run --globals '" + dir.Write("main.kelvra", script) + "'");
}

}  // namespace script::test
