#include <gtest/gtest.h>

#include "Script/Script/CompilerRunner.h"
#include "Script/Script/DecompilerRunner.h"
#include "tests/support/CaptureSink.h"

namespace script {
namespace {

TEST(CompilerRunnerTest, RefusesACompiledScriptWithoutReading) {
  test::CaptureSink sink;
  CompilerRunner runner("does/not/exist/x.bin", &sink);
  EXPECT_FALSE(runner.Load());
  EXPECT_EQ(std::vector<std::string>{"Script already compiled!"}, sink.Lines(CHANNEL_BUILD));
}

TEST(DecompilerRunnerTest, RefusesASourceScriptWithoutReading) {
  test::CaptureSink sink;
  DecompilerRunner runner("does/not/exist/x.kelvra", &sink);
  EXPECT_FALSE(runner.Load());
  EXPECT_EQ(std::vector<std::string>{"Script already decompiled!"}, sink.Lines(CHANNEL_BUILD));
}

}  // namespace
}  // namespace script
