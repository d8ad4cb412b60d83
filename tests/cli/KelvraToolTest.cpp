// The kelvra command-line tool, run as a process.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace {

using script::test::RunTool;
using script::test::ToolResult;

TEST(KelvraToolTest, UsageErrorsExit64OnStandardError) {
  for (const char* arguments : {"", "frobnicate x.kelvra", "build", "build a.kelvra b.kelvra", "--help extra", "run",
                                "run --bogus x.kelvra", "run --leaks"}) {
    ToolResult result = RunTool(arguments);
    EXPECT_EQ(64, result.status) << arguments;
    EXPECT_TRUE(result.out.empty()) << arguments;
    EXPECT_NE(std::string::npos, result.err.find("usage: kelvra")) << arguments;
  }
}

TEST(KelvraToolTest, HelpGoesToStandardOutput) {
  ToolResult result = RunTool("--help");
  EXPECT_EQ(0, result.status);
  EXPECT_NE(std::string::npos, result.out.find("build FILE"));
  EXPECT_TRUE(result.err.empty());
}

TEST(KelvraToolTest, BuildPrintsTheReportAndExitsByItsOutcome) {
  script::test::TempDir dir;
  std::string good = dir.Write("good.kelvra", "{ ; }\n");
  std::string bad = dir.Write("bad.kelvra", "{ ; }\n}\n");

  ToolResult success = RunTool("build '" + good + "'");
  EXPECT_EQ(0, success.status);
  EXPECT_EQ("Build succeeded.\n", success.out);
  EXPECT_TRUE(success.err.empty());

  ToolResult failure = RunTool("build '" + bad + "'");
  EXPECT_EQ(1, failure.status);
  EXPECT_EQ(0u, failure.out.find("ERROR: UNEXPECTED_END_OF_SCOPE in \"" + bad + "\", line: 2, pos: 1\nINTERNAL: Compiler("));
  EXPECT_TRUE(failure.out.ends_with("): script::Interpreter::EndScope\n")) << failure.out;

  ToolResult unknown = RunTool("build '" + dir.PathOf("notes.txt") + "'");
  EXPECT_EQ(1, unknown.status);
  EXPECT_EQ("Unknown script type!\n", unknown.out);
}

TEST(KelvraToolTest, RunPrintsTheBuildReportAndExitsByTheRun) {
  script::test::TempDir dir;
  std::string good = dir.Write("good.kelvra", "{ ; { } }\n");
  std::string bad = dir.Write("bad.kelvra", "{\n");

  ToolResult success = RunTool("run '" + good + "'");
  EXPECT_EQ(0, success.status);
  EXPECT_EQ("Build succeeded.\n", success.out);
  EXPECT_TRUE(success.err.empty()) << success.err;

  ToolResult failure = RunTool("run '" + bad + "'");
  EXPECT_EQ(1, failure.status);
  EXPECT_EQ(0u, failure.out.find("ERROR: UNEXPECTED_END_OF_SCRIPT in \"" + bad + "\", line: 2, pos: 1\n"));

  ToolResult leaks = RunTool("run --leaks '" + good + "'");
  EXPECT_EQ(0, leaks.status);
  EXPECT_EQ("Build succeeded.\n", leaks.out);
  EXPECT_NE(std::string::npos, leaks.err.find("**** Leaked Memory Blocks ****\nNONE\n")) << leaks.err;
}

TEST(KelvraToolTest, RunTakesGlobalsWithOrWithoutLeaks) {
  script::test::TempDir dir;
  std::string empty = dir.Write("empty.kelvra", "{ ; }\n");
  for (const char* options : {"--globals", "--globals --leaks", "--leaks --globals"}) {
    ToolResult result = RunTool(std::string("run ") + options + " '" + empty + "'");
    EXPECT_EQ(0, result.status) << options;
    EXPECT_EQ("Build succeeded.\n", result.out) << options << ": a script without globals lists none";
  }
  EXPECT_EQ(64, RunTool("run --globals").status);
}

TEST(KelvraToolTest, RunGlobalsShowsComputedValues) {
  script::test::TempDir dir;
  std::string script = dir.Write("calc.kelvra",
                                 "i32 a = 5, b;\n"
                                 "b = a * 2 + 1;\n"
                                 "ui8 c = 200;\n"
                                 "c = c + 100;\n"
                                 "string s = \"ab\";\n"
                                 "s = s + 1;\n"
                                 "i32 x = 1;\n"
                                 "i32 y = x++ + ++x;\n"
                                 "struct P { i8 a; i32 b; } p;\n"
                                 "p.b = 7;\n"
                                 "double d = 1.5e+3;\n");
  ToolResult result = RunTool("run --globals '" + script + "'");
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(
      "Build succeeded.\n"
      "a : i32 = 5\n"
      "b : i32 = 11\n"
      "c : ui8 = 44 ','\n"
      "s : string = \"ab1\"\n"
      "x : i32 = 3\n"
      "y : i32 = 4\n"
      "p : P = <...>\n"
      "  a : i8 = 0 '\\0'\n"
      "  b : i32 = 7\n"
      "d : double = 1500\n",
      result.out);
}

TEST(KelvraToolTest, PathIsReportedAsGiven) {
  script::test::TempDir dir;
  dir.Write("sub/rel.kelvra", "}\n");
  ToolResult result = RunTool("build sub/rel.kelvra", dir.Root().string());
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(0u, result.out.find("ERROR: UNEXPECTED_END_OF_SCOPE in \"sub/rel.kelvra\", line: 1, pos: 1\n"))
      << result.out;
}

}  // namespace
