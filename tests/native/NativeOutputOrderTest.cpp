// Output of native code and the tool's own lines keep their order when both
// streams of `kelvra run` go to one file, as they would to one pipe.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

TEST(NativeOutputOrderTest, NativeLinesStayBetweenTheToolsLines) {
  test::TempDir dir;
  const std::string path = dir.Write(
      "main.kelvra",
      "lib (\"libkelvra_native_probe.so\") { i32 probe_print(i32); i32@ probe_bad_pointer(); } probe;\n"
      "probe.probe_print(1);\nprobe.probe_print(2);\ni32 fails = probe.probe_bad_pointer();\n");
  const test::ToolResult result = test::RunToolMerged("run '" + path + "'");
  EXPECT_EQ(2, result.status);
  const std::size_t built = result.out.find("Build succeeded.");
  const std::size_t first = result.out.find("native says 1");
  const std::size_t second = result.out.find("native says 2");
  const std::size_t error = result.out.find("RUNTIME ERROR");
  ASSERT_NE(std::string::npos, error) << result.out;
  EXPECT_LT(built, first) << result.out;
  EXPECT_LT(first, second) << result.out;
  EXPECT_LT(second, error) << result.out;
}

}  // namespace
}  // namespace script
