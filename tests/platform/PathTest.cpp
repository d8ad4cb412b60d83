#include <gtest/gtest.h>

#include <cerrno>

#include "Script/Platform/Path.h"
#include "Script/Platform/SystemError.h"

namespace script::platform {
namespace {

TEST(PathTest, FullPathIsAbsoluteAndNormalised) {
  auto full = FullPath("a/./b/../c.kelvra");
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ('/', full->front());
  EXPECT_TRUE(full->ends_with("/a/c.kelvra")) << *full;
  EXPECT_EQ(FullPath("/x/y/../z"), std::optional<std::string>("/x/z"));
}

TEST(PathTest, FullPathFailsForEmptyAndOverlongPaths) {
  EXPECT_FALSE(FullPath("").has_value());
  EXPECT_EQ(ENOENT, LastErrorNumber());
  EXPECT_FALSE(FullPath("/" + std::string(kMaxPathBuffer, 'a')).has_value());
  EXPECT_EQ(ENAMETOOLONG, LastErrorNumber());
}

TEST(PathTest, DirectoryAndFileName) {
  EXPECT_EQ("dir/sub/", DirectoryOf("dir/sub/x.kelvra"));
  EXPECT_EQ("", DirectoryOf("x.kelvra"));
  EXPECT_EQ("x.kelvra", FileNameOf("dir/sub/x.kelvra"));
  EXPECT_EQ("x.kelvra", FileNameOf("x.kelvra"));
}

TEST(SystemErrorTest, MessageComesFromTheCLibrary) {
  EXPECT_EQ("No such file or directory", SystemMessage(ENOENT));
}

}  // namespace
}  // namespace script::platform
