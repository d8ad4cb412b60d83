// Every script of the test corpus and of the examples survives the compiled
// file and the decompiler: the compiled file runs with the same globals as
// its source, the decompiled text compiles to the same bytes again, and
// decompiling that gives the same text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = KELVRA_SOURCE_DIR;

// Scripts relative to the source folder.
std::vector<std::string> Scripts() {
  std::vector<std::string> scripts;
  for (const char* folder : {"tests/scripts", "examples"}) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kSource / folder)) {
      if (entry.is_regular_file() && entry.path().extension() == ".kelvra")
        scripts.push_back(fs::relative(entry.path(), kSource).string());
    }
  }
  std::sort(scripts.begin(), scripts.end());
  return scripts;
}

// What may differ between a run of the source and one of its compiled file:
// addresses (function references) differ from run to run, and a compiled
// file carries no source positions, so the lines, positions and file name
// an Error variable holds name the compiled file at line 1, position 1.
std::string Comparable(std::string text, const std::string& compiledName, const std::string& sourceName) {
  text = std::regex_replace(text, std::regex("0x[0-9a-f]{16}"), "0xADDR");
  text = std::regex_replace(text, std::regex("(line|position) : ui32 = [0-9]+"), "$1 : ui32 = N");
  text = std::regex_replace(text, std::regex("line: [0-9]+, pos: [0-9]+"), "line: N, pos: N");
  std::string::size_type at = 0;
  while ((at = text.find(compiledName, at)) != std::string::npos) text.replace(at, compiledName.size(), sourceName);
  return text;
}

class RoundTripTest : public testing::TestWithParam<std::string> {};

TEST_P(RoundTripTest, CompiledAndDecompiledScriptsMatchTheSource) {
  // The script's folder is copied, so that its includes resolve and the
  // written files stay out of the source tree.
  test::TempDir dir;
  const fs::path script = kSource / GetParam();
  fs::copy(script.parent_path(), dir.Root(), fs::copy_options::recursive);
  const std::string name = script.filename().string();
  const std::string folder = dir.Root().string();
  auto tool = [&](const std::string& command, const std::string& file) {
    return test::RunTool(command + " '" + file + "'", folder);
  };

  // A script that names its own run arguments (a first line "// kelvra:
  // ARGS") runs with them: its globals may be no stable output.
  const std::string content = test::ReadFile(script);
  const std::string marker = "// kelvra: ";
  const std::string run =
      content.rfind(marker, 0) == 0 ? content.substr(marker.size(), content.find('\n') - marker.size()) : "run --globals";
  const test::ToolResult source = tool(run, name);
  if (source.out.rfind("Build succeeded.\n", 0) != 0) GTEST_SKIP() << "the script does not compile";

  const test::ToolResult compile = tool("compile", name);
  ASSERT_EQ(0, compile.status) << compile.out << compile.err;
  EXPECT_EQ("Build succeeded.\n", compile.out);
  const test::ToolResult compiled = tool(run, name + ".bin");
  EXPECT_EQ(source.status, compiled.status) << compiled.err;
  EXPECT_EQ(Comparable(source.out, name + ".bin", name), Comparable(compiled.out, name + ".bin", name));

  const test::ToolResult decompile = tool("decompile", name + ".bin");
  ASSERT_EQ(0, decompile.status) << decompile.out << decompile.err;
  const std::string text = test::ReadFile(dir.Root() / (name + ".bin.kelvra"));
  const test::ToolResult recompile = tool("compile", name + ".bin.kelvra");
  ASSERT_EQ(0, recompile.status) << recompile.out << text;
  EXPECT_EQ(test::ReadFile(dir.Root() / (name + ".bin")), test::ReadFile(dir.Root() / (name + ".bin.kelvra.bin"))) << text;

  ASSERT_EQ(0, tool("decompile", name + ".bin.kelvra.bin").status);
  EXPECT_EQ(text, test::ReadFile(dir.Root() / (name + ".bin.kelvra.bin.kelvra")));
}

// "examples/hello.kelvra" -> "examples_hello".
std::string CaseName(const testing::TestParamInfo<std::string>& info) {
  std::string name = fs::path(info.param).replace_extension().string();
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, RoundTripTest, testing::ValuesIn(Scripts()), CaseName);

}  // namespace
}  // namespace script
