#pragma once
// Compiles a script written into a fresh folder and returns its build report
// in a form tables can compare: the folder reads "$DIR/" and engine line
// numbers of "INTERNAL: " lines read "N".
#include <map>
#include <string>
#include <vector>

namespace script::test {

struct BuildReport {
  bool loaded = false;
  std::vector<std::string> lines;
};

// `files` maps relative paths to contents; the script compiled is main.kelvra.
BuildReport BuildScript(const std::map<std::string, std::string>& files);
BuildReport BuildScript(const std::string& mainScript);

// The two lines of a failed build of main.kelvra.
std::vector<std::string> ErrorReport(const std::string& errorName, int line, int position, const std::string& module,
                                     const std::string& function);

}  // namespace script::test
