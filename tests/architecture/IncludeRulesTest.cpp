// The layering of the sources, read from their include lines: front ends
// see only the engine's public folder, the public folder and the
// foundations include nothing above them, and no runtime module reaches up
// into the compiler.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace script {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = KELVRA_SOURCE_DIR;

struct Rule {
  const char* folder;  // below the project root
  // A quoted include is allowed when it starts with one of these; an empty
  // list forbids only what `forbidden` names.
  std::vector<std::string> allowed;
  std::vector<std::string> forbidden;
};

// "path: #include "x"" for every quoted include under the folder that breaks the rule.
std::vector<std::string> Violations(const Rule& rule) {
  std::vector<std::string> found;
  const fs::path folder = kRoot / rule.folder;
  if (!fs::exists(folder)) return found;
  const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    std::ifstream in(entry.path());
    for (std::string line; std::getline(in, line);) {
      std::smatch match;
      if (!std::regex_search(line, match, include)) continue;
      const std::string target = match[1];
      const auto startsWith = [&](const std::string& prefix) { return target.rfind(prefix, 0) == 0; };
      const bool allowed = rule.allowed.empty() || std::any_of(rule.allowed.begin(), rule.allowed.end(), startsWith);
      const bool forbidden = std::any_of(rule.forbidden.begin(), rule.forbidden.end(), startsWith);
      if (!allowed || forbidden) found.push_back(fs::relative(entry.path(), kRoot).string() + ": " + line);
    }
  }
  return found;
}

TEST(IncludeRulesTest, EachFolderIncludesOnlyWhatLiesBelowIt) {
  const std::vector<std::string> frontEndAllowed = {"kelvra/", "cli/", "debugger/", "kv_thread_lib/"};
  const std::vector<std::string> noCompiler = {"Script/Compiler/", "Script/Script/", "Script/Session/"};
  const Rule rules[] = {
      {"cli", frontEndAllowed, {}},
      {"debugger", frontEndAllowed, {}},
      {"Script/Public", {"kelvra/"}, {}},
      {"Script/Foundation", {"Script/Foundation/", "Script/Platform/"}, {}},
      {"Script/Platform", {"Script/Platform/"}, {}},
      {"Script/Diagnostics", {}, noCompiler},
      {"Script/Memory", {}, noCompiler},
      {"Script/Values", {}, noCompiler},
      {"Script/Stack", {}, noCompiler},
      {"Script/Debugger", {}, noCompiler},
  };
  for (const Rule& rule : rules) EXPECT_EQ(Violations(rule), std::vector<std::string>{}) << rule.folder;
}

}  // namespace
}  // namespace script
