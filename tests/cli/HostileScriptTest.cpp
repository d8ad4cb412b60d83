// Scripts that push the engine to its bounds, run through the tool on its
// script thread: each ends in a report, never in a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/Sanitizers.h"
#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

using test::RunTool;
using test::ToolResult;

std::string Repeat(const std::string& piece, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

ToolResult RunScript(const test::TempDir& dir, const std::string& script) {
  return RunTool("run --globals '" + dir.Write("script.kelvra", script) + "'");
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Just inside the depth bound, trees compile and run at the top level and
// in a function.
TEST(HostileScriptTest, TreesJustInsideTheDepthBoundRun) {
  test::TempDir dir;
  ToolResult result = RunScript(dir,
                                "function i32 f() { return " + Repeat("(", 900) + "1" + Repeat(")", 900) + "; }\n"
                                "i32 one = 1;\n"
                                "i32 x = one" + Repeat(" + 1", 1900) + ";\n"
                                "i32 y = f() + 1" + Repeat(" + 1", 1900) + ";\n");
  EXPECT_EQ(0, result.status) << result.out << result.err;
  EXPECT_TRUE(Contains(result.out, "x : i32 = 1901\n")) << result.out;
  EXPECT_TRUE(Contains(result.out, "y : i32 = 1902\n")) << result.out;
}

// A recursion whose body is nearly as deep as the bound allows stops with a
// runtime error while the machine stack still holds a whole body.
TEST(HostileScriptTest, RecursionThroughDeepBodiesEndsInStackOverflow) {
  if (test::kThreadSanitizer) GTEST_SKIP() << "needs machine stacks deeper than ThreadSanitizer records";
  test::TempDir dir;
  ToolResult result = RunScript(dir,
                                "function i32 f(i32 n) {\n"
                                "  if (n == 0) return 0;\n"
                                "  return f(n - 1) + 1" + Repeat(" + 1", 1900) + ";\n"
                                "}\n"
                                "i32 r = f(1000000);\n");
  EXPECT_EQ(2, result.status) << result.out;
  EXPECT_TRUE(Contains(result.err, "RUNTIME ERROR: Stack overflow.")) << result.err.substr(0, 500);
}

// Frames are bounded by the bytes they hold, not by their number: large
// locals reach the bound after a few hundred calls.
TEST(HostileScriptTest, LargeLocalsReachTheStackByteBound) {
  test::TempDir dir;
  ToolResult result = RunScript(dir,
                                "function i32 f(i32 n) {\n"
                                "  array<i64, 100000> big;\n"
                                "  big[0] = n;\n"
                                "  return f(n + 1);\n"
                                "}\n"
                                "f(0);\n");
  EXPECT_EQ(2, result.status) << result.out;
  EXPECT_TRUE(result.err.starts_with("thread: ")) << result.err.substr(0, 500);
  EXPECT_TRUE(Contains(result.err.substr(0, 200), "RUNTIME ERROR: Stack overflow.")) << result.err.substr(0, 500);
}

// A script that cannot be read is named in the report.
TEST(HostileScriptTest, UnreadableScriptsAreNamed) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.PathOf("folder.kelvra"));
  struct Case {
    std::string path;
    const char* message;
  };
  const Case cases[] = {{dir.PathOf("folder.kelvra"), "ERROR: Is a directory in \""},
                        {dir.PathOf("missing.kelvra"), "ERROR: No such file or directory in \""}};
  for (const Case& c : cases) {
    ToolResult result = RunTool("run '" + c.path + "'");
    EXPECT_EQ(1, result.status) << c.path;
    EXPECT_TRUE(result.out.starts_with(c.message + c.path + "\"")) << result.out;
  }
}

}  // namespace
}  // namespace script
