// Script files are read whole, and only when they are regular files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "Script/Platform/FileRead.h"
#include "tests/support/TempDir.h"

namespace script::platform {
namespace {

TEST(FileReadTest, RegularFilesAreReadWhole) {
  test::TempDir dir;
  const std::string content("i32 a;\n\0 after a zero byte", 26);
  std::string text = "stale";
  EXPECT_EQ(0, ReadRegularFile(dir.Write("a.kelvra", content), text));
  EXPECT_EQ(content, text);
  EXPECT_EQ(0, ReadRegularFile(dir.Write("empty.kelvra", ""), text));
  EXPECT_TRUE(text.empty());
}

// Nothing that is not a regular file is read: a FIFO without a writer does
// not block, a device that never ends is not read until memory runs out.
TEST(FileReadTest, OtherKindsOfFileAreRefusedUnread) {
  test::TempDir dir;
  const std::string fifo = dir.PathOf("fifo.kelvra");
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  struct Case {
    std::string path;
    int error;
  };
  const Case cases[] = {
      {dir.Root().string(), EISDIR},
      {fifo, EINVAL},
      {"/dev/zero", EINVAL},
      {"/dev/null", EINVAL},
      {dir.PathOf("missing.kelvra"), ENOENT},
  };
  for (const Case& c : cases) {
    std::string text;
    EXPECT_EQ(c.error, ReadRegularFile(c.path, text)) << c.path;
    EXPECT_TRUE(text.empty()) << c.path;
  }
}

}  // namespace
}  // namespace script::platform
