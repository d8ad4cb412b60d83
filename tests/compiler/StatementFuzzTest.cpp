// Statements from hostile input: random keyword soup and extreme nesting end
// in one report, never in a crash or hang.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "tests/support/CompileReport.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

TEST(StatementFuzzTest, RandomStatementTokensGiveOneReport) {
  const char* tokens[] = {"if ", "else ", "while ", "for ", "switch ", "case ", "default ", "break ", "continue ",
                          "return ", "a ", "b ", "= ", "+ ", "- ", "< ", "++ ", "( ", ") ", "{ ", "} ", "; ",
                          ": ", ", ", "1 ", "-1 ", "0x10 ", "\"t\" ", "true ", "i32 "};
  std::mt19937 random(1207);
  const std::string prefix = "i32 a; ui8 b;\n";
  for (int round = 0; round < 1500; ++round) {
    std::string text = prefix;
    for (int n = static_cast<int>(random() % 28); n > 0; --n) text += tokens[random() % std::size(tokens)];
    test::CompiledReport report = test::CompileFiles({{"main.kelvra", text + "\n"}});
    ASSERT_EQ(report.loaded ? 1u : 2u, report.build.size()) << text;
    EXPECT_TRUE(report.loaded ? report.build.front() == "Build succeeded." : report.build.front().starts_with("ERROR: "))
        << text;
  }
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int n = 0; n < times; ++n) text += piece;
  return text;
}

TEST(StatementFuzzTest, NestingBeyondTheLimitIsRefused) {
  for (const char* opening : {"if (a) ", "while (a) ", "for (;a;) ", "if (a) ; else "}) {
    test::CompiledReport report =
        test::CompileFiles({{"main.kelvra", "i32 a;\n" + Repeated(opening, 50000) + "a = 1;\n"}});
    ASSERT_FALSE(report.build.empty()) << opening;
    EXPECT_TRUE(report.build.front().starts_with("ERROR: OUT_OF_MEMORY")) << opening << report.build.front();
  }
}

TEST(StatementFuzzTest, NestingBelowTheLimitRuns) {
  test::ToolResult result = test::RunScriptWithGlobals("i32 a;\n" + Repeated("if (1) while (a < 1) ", 900) + "a++;\n");
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ("Build succeeded.\na : i32 = 1\n", result.out);
}

}  // namespace
}  // namespace script
