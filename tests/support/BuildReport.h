#pragma once
// Compiling a script through the runner and reading its build report.
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace script::test {

struct BuildReport {
  bool loaded = false;
  // The build channel, with engine line numbers blanked ("Compiler(N)") and
  // the folder of `dir` written as "$DIR/".
  std::vector<std::string> lines;
  // Whether anything was printed on the run channel.
  bool runOutput = false;
};

// Loads the script at `relativePath` in `dir` through a ScriptRunner.
BuildReport Build(const TempDir& dir, const std::string& relativePath);

}  // namespace script::test
