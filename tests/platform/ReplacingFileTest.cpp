// A file written beside its target replaces it only when committed.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "Script/Platform/ReplacingFile.h"
#include "tests/support/TempDir.h"

namespace script::platform {
namespace {

namespace fs = std::filesystem;

std::size_t FileCount(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ReplacingFileTest, CommitReplacesTheTargetAndAnUncommittedWriteLeavesIt) {
  test::TempDir dir;
  const std::string target = dir.Write("out.bin", "old");
  int error = 0;
  {
    ReplacingFile file;
    ASSERT_TRUE(file.Open(target, error));
    ASSERT_TRUE(file.Write("half", 4, error));
    EXPECT_EQ("old", test::ReadFile(target));
  }
  EXPECT_EQ("old", test::ReadFile(target));
  EXPECT_EQ(1u, FileCount(dir.Root()));

  // The replacement keeps the earlier file's permissions.
  const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(target, kept);
  ReplacingFile file;
  ASSERT_TRUE(file.Open(target, error));
  ASSERT_TRUE(file.Write("new content", 11, error));
  ASSERT_TRUE(file.Commit(error));
  EXPECT_EQ("new content", test::ReadFile(target));
  EXPECT_EQ(kept, fs::status(target).permissions());
  EXPECT_EQ(1u, FileCount(dir.Root()));
  EXPECT_EQ(0, error);
}

TEST(ReplacingFileTest, OpenFailsWithTheSystemReason) {
  test::TempDir dir;
  const std::string readOnly = dir.Write("read-only.bin", "kept");
  fs::permissions(readOnly, fs::perms::owner_read);
  fs::create_directory(dir.PathOf("folder.bin"));
  const std::pair<std::string, int> cases[] = {
      {dir.PathOf("missing/out.bin"), ENOENT},
      {readOnly, EACCES},
      {dir.PathOf("folder.bin"), EISDIR},
  };
  for (const auto& [target, expected] : cases) {
    ReplacingFile file;
    int error = 0;
    EXPECT_FALSE(file.Open(target, error)) << target;
    EXPECT_EQ(expected, error) << target;
  }
  EXPECT_EQ("kept", test::ReadFile(readOnly));
  EXPECT_EQ(2u, FileCount(dir.Root()));
}

}  // namespace
}  // namespace script::platform
