// Error declarations and built-in calls from hostile input: token soup and
// deep nesting end in one report, and a run of what compiles never crashes.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "tests/support/CompileReport.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

TEST(ErrorDeclarationFuzzTest, TokenSoupGivesOneReportAndRunsWithoutCrashing) {
  const char* tokens[] = {"error ", "( ", ") ", "{ ", "} ", "e ", "e.name ", "e.line ", "a ", "s ", "= ", "/ ",
                          "0 ", "1 ", "; ", ", ", "sizeof ", "lock ", "unlock ", "cast<ui8> ", "str2arr ",
                          "arr2str ", "str2warr ", "warr2str ", "\"t\" ", "[ ", "] "};
  std::mt19937 random(3301);
  const std::string prefix = "i32 a; string s; array<ui8, 2> b;\n";
  int runs = 0;
  for (int round = 0; round < 600; ++round) {
    std::string text = prefix;
    for (int n = static_cast<int>(random() % 24); n > 0; --n) text += tokens[random() % std::size(tokens)];
    test::CompiledReport report = test::CompileFiles({{"main.kelvra", text + "\n"}});
    ASSERT_EQ(report.loaded ? 1u : 2u, report.build.size()) << text;
    if (!report.loaded || runs >= 40) continue;
    ++runs;
    const test::ToolResult result = test::RunScriptWithGlobals(text + "\n");
    EXPECT_TRUE(result.status == 0 || result.status == 2) << text << "\n" << result.err;
  }
}

TEST(ErrorDeclarationFuzzTest, NestingBeyondTheLimitIsRefused) {
  std::string text = "i32 a;\n";
  for (int n = 0; n < 50000; ++n) text += "error (e) { ";
  test::CompiledReport report = test::CompileFiles({{"main.kelvra", text + "\n"}});
  ASSERT_FALSE(report.build.empty());
  EXPECT_TRUE(report.build.front().starts_with("ERROR: OUT_OF_MEMORY")) << report.build.front();
}

}  // namespace
}  // namespace script
