// Storage that lock pinned outlives the run, but not its program: loading
// the script again frees it before the old tree and its types go.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvra/ScriptSession.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

TEST(LockedStorageTest, LoadingAgainFreesWhatTheLastRunLocked) {
  test::TempDir dir;
  test::CaptureSink sink;
  ScriptSession session(dir.Write("main.kelvra",
                                  "struct Named { string text; i32@ number; };\n"
                                  "Named named;\n"
                                  "named.text = \"pinned\";\n"
                                  "named.number = 5;\n"
                                  "lock(named);\n"
                                  "i32 zero = 0;\n"
                                  "i32 failed = 1 / zero;\n"
                                  "error (e) { lock(e); }\n"),
                        sink);
  ASSERT_TRUE(session.Load());
  ASSERT_TRUE(session.Start());
  ASSERT_TRUE(session.Wait());
  ASSERT_TRUE(session.Load());
  session.DumpLeaks();
  const std::vector<std::string> report = sink.Lines(CHANNEL_RUN);
  EXPECT_TRUE(std::none_of(report.begin(), report.end(),
                           [](const std::string& line) { return line.ends_with(" , LOCKED"); }))
      << "the structure, the number it refers to and the error variable went with their program";
}

}  // namespace
}  // namespace script
