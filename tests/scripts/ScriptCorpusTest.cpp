// The script corpus: every .kelvra file below tests/scripts runs through the
// kelvra tool and its output is compared with the .expected file beside it.
//
// A script's first line may name the tool's arguments, as in
// "// kelvra: run --leaks"; without it the script runs with "run --globals".
// The expected file holds the exit status, standard output and standard
// error:
//
//   status: 0
//   --- stdout
//   Build succeeded.
//   --- stderr
//
// Addresses (0x and 16 hex digits of either case), thread ids, the engine
// source lines of INTERNAL lines, the script's own path and the folder of the
// tests' native libraries are normalised to 0xADDR, T, N, $F and $NATIVE, so
// the files hold stable text. Setting
// KELVRA_UPDATE_EXPECTED=1 writes the actual output into the expected files
// instead of comparing; review the difference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(KELVRA_SOURCE_DIR) / "tests" / "scripts";

// The arguments before the script's path: from a "// kelvra: " first line,
// else "run --globals".
std::string ToolArguments(const std::string& script) {
  const std::string marker = "// kelvra: ";
  if (script.rfind(marker, 0) != 0) return "run --globals";
  return script.substr(marker.size(), script.find('\n') - marker.size());
}

std::string Normalized(const std::string& text, const std::string& path) {
  std::string stable = std::regex_replace(text, std::regex("0x[0-9a-fA-F]{16}"), "0xADDR");
  stable = std::regex_replace(stable, std::regex("thread: [0-9]+,"), "thread: T,");
  stable = std::regex_replace(stable, std::regex("INTERNAL: ([A-Za-z]+)\\([0-9]+\\)"), "INTERNAL: $1(N)");
  for (std::size_t at = stable.find(path); at != std::string::npos; at = stable.find(path, at + 2))
    stable.replace(at, path.size(), "$F");
  const std::string native = KELVRA_NATIVE_TEST_DIR;
  for (std::size_t at = stable.find(native); at != std::string::npos; at = stable.find(native, at + 7))
    stable.replace(at, native.size(), "$NATIVE");
  return stable;
}

std::string Transcript(const test::ToolResult& result, const std::string& path) {
  return "status: " + std::to_string(result.status) + "\n--- stdout\n" + Normalized(result.out, path) +
         "--- stderr\n" + Normalized(result.err, path);
}

std::vector<std::string> CorpusScripts() {
  std::vector<std::string> scripts;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kCorpus)) {
    if (entry.is_regular_file() && entry.path().extension() == ".kelvra")
      scripts.push_back(fs::relative(entry.path(), kCorpus).string());
  }
  std::sort(scripts.begin(), scripts.end());
  return scripts;
}

class ScriptCorpusTest : public testing::TestWithParam<std::string> {};

TEST_P(ScriptCorpusTest, MatchesExpectedOutput) {
  const fs::path script = kCorpus / GetParam();
  const fs::path expected = fs::path(script).replace_extension(".expected");
  // The tool runs in the script's folder on its file name, so that includes
  // resolve beside it and $F is the bare name.
  const std::string name = script.filename().string();
  test::ToolResult result =
      test::RunTool(ToolArguments(test::ReadFile(script)) + " '" + name + "'", script.parent_path().string());
  const std::string actual = Transcript(result, name);
  if (const char* update = std::getenv("KELVRA_UPDATE_EXPECTED"); update != nullptr && std::string(update) == "1") {
    std::ofstream(expected, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(fs::exists(expected)) << expected << " is missing";
  EXPECT_EQ(test::ReadFile(expected), actual);
}

// "language/while_loop.kelvra" -> "language_while_loop".
std::string CaseName(const testing::TestParamInfo<std::string>& info) {
  std::string name = fs::path(info.param).replace_extension().string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, ScriptCorpusTest, testing::ValuesIn(CorpusScripts()), CaseName);

}  // namespace
}  // namespace script
