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

}  // namespace

ToolResult RunTool(const std::string& arguments, const std::string& workingDirectory) {
  TempDir capture;
  std::string out = capture.PathOf("out"), err = capture.PathOf("err");
  std::string command = "cd '" + workingDirectory + "' && '" + KELVRA_CLI_PATH + "' " + arguments + " >'" + out +
                        "' 2>'" + err + "'";
  int raw = std::system(command.c_str());
  ToolResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = Slurp(out);
  result.err = Slurp(err);
  return result;
}

}  // namespace script::test
