// Libraries as the engine's public surface shows them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvra/ScriptSession.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

TEST(NativeSessionTest, ALibraryIsListedWithItsFunctionsAfterIt) {
  test::TempDir dir;
  test::CaptureSink sink;
  ScriptSession session(dir.Write("lib.kelvra", "i32 x;\nlib (\"libc.so.6\") {\n  i32 abs(i32);\n  double@ f(i32@@);\n} c;\n"),
                        sink);
  ASSERT_TRUE(session.Load());
  std::vector<std::string> listed;
  for (const FunctionInfo& info : session.Functions()) {
    if (info.kind == FunctionInfo::Kind::Library) listed.push_back("library " + info.text + "@" + std::to_string(info.line));
    if (info.kind == FunctionInfo::Kind::LibraryFunction) listed.push_back(info.text + "@" + std::to_string(info.line));
  }
  EXPECT_EQ(listed, (std::vector<std::string>{"library c: \"libc.so.6\"@2", "i32 abs(i32)@3", "double@ f(i32@@)@4"}));
}

}  // namespace
}  // namespace script
