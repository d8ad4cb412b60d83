#pragma once
// Compiling script files through the runner and reading the build report.
#include <map>
#include <string>
#include <vector>

namespace script::test {

struct CompiledReport {
  bool loaded = false;
  // The build channel's lines with engine line numbers blanked and the
  // folder of the files written as "$DIR/".
  std::vector<std::string> build;
  std::vector<std::string> run;
};

// Writes the files (relative path -> content) into a fresh folder and loads
// "main.kelvra" from it.
CompiledReport CompileFiles(const std::map<std::string, std::string>& files);

}  // namespace script::test
