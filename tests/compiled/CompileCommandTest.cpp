// kelvra compile and kelvra decompile, run as a process: what they write,
// what they refuse, and a file that cannot be written, which is reported and
// leaves the earlier file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "Script/Compiler/TextSerializer.h"
#include "Script/Script/ScriptRunner.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

namespace fs = std::filesystem;

std::string WithoutEngineLine(const std::string& out) {
  return std::regex_replace(out, std::regex("INTERNAL: ([A-Za-z]+)\\([0-9]+\\)"), "INTERNAL: $1(N)");
}

// The names in a folder, to see that no temporary file stays behind.
std::string Listing(const fs::path& folder) {
  std::string names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names += entry.path().filename().string() + " ";
  return names;
}

TEST(CompileCommandTest, WritesBesideTheScriptAndRefusesTheOtherKind) {
  test::TempDir dir;
  dir.Write("main.kelvra", "i32 a = 2;\n");
  const std::string folder = dir.Root().string();

  test::ToolResult compile = test::RunTool("compile main.kelvra", folder);
  EXPECT_EQ(0, compile.status);
  EXPECT_EQ("Build succeeded.\n", compile.out);
  EXPECT_TRUE(fs::exists(dir.PathOf("main.kelvra.bin")));

  test::ToolResult build = test::RunTool("build main.kelvra.bin", folder);
  EXPECT_EQ(0, build.status);
  EXPECT_EQ("Build succeeded.\n", build.out);

  test::ToolResult decompile = test::RunTool("decompile main.kelvra.bin", folder);
  EXPECT_EQ(0, decompile.status);
  EXPECT_EQ("Build succeeded.\n", decompile.out);
  EXPECT_EQ("i32 a = 2;\n", test::ReadFile(dir.PathOf("main.kelvra.bin.kelvra")));

  test::ToolResult again = test::RunTool("compile main.kelvra.bin", folder);
  EXPECT_EQ(1, again.status);
  EXPECT_EQ("Script already compiled!\n", again.out);
  test::ToolResult source = test::RunTool("decompile main.kelvra", folder);
  EXPECT_EQ(1, source.status);
  EXPECT_EQ("Script already decompiled!\n", source.out);
  for (const char* usage : {"compile", "decompile", "compile a.kelvra b.kelvra"})
    EXPECT_EQ(64, test::RunTool(usage, folder).status) << usage;
}

TEST(CompileCommandTest, AScriptThatDoesNotCompileWritesNothing) {
  test::TempDir dir;
  dir.Write("main.kelvra", "i32 a = ;\n");
  test::ToolResult result = test::RunTool("compile main.kelvra", dir.Root().string());
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(0u, result.out.find("ERROR: ")) << result.out;
  EXPECT_EQ("main.kelvra ", Listing(dir.Root()));
}

TEST(CompileCommandTest, ErrorsOfACompiledFileNameNoFile) {
  test::TempDir dir;
  // A compiled file whose single token is "}".
  dir.Write("main.bin",
            std::string("KVRA\1\0\0\0Wed Dec 13 11:25:23 2023", 32) +
                std::string("cast\0lock\0unlock\0sizeof\0arr2str\0warr2str\0str2arr\0str2warr\0\0\x07", 60));
  test::ToolResult result = test::RunTool("run main.bin", dir.Root().string());
  EXPECT_EQ(1, result.status);
  EXPECT_EQ(
      "ERROR: UNEXPECTED_END_OF_SCOPE in \"\", line: 1, pos: 1\n"
      "INTERNAL: Compiler(N): script::Interpreter::EndScope\n",
      WithoutEngineLine(result.out));
}

TEST(CompileCommandTest, AnOutputThatCannotBeWrittenIsReportedAndTheOldFileKept) {
  struct Case {
    const char* command;
    const char* script;
    const char* target;
    bool directory;  // the target is a folder, else a read-only file
    const char* message;
  };
  const Case cases[] = {
      {"compile", "main.kelvra", "main.kelvra.bin", false, "Permission denied"},
      {"compile", "main.kelvra", "main.kelvra.bin", true, "Is a directory"},
      {"decompile", "main.kelvra.bin", "main.kelvra.bin.kelvra", false, "Permission denied"},
      {"decompile", "main.kelvra.bin", "main.kelvra.bin.kelvra", true, "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " onto " + (c.directory ? "a folder" : "a read-only file"));
    test::TempDir dir;
    const std::string folder = dir.Root().string();
    dir.Write("main.kelvra", "i32 a = 2;\n");
    ASSERT_EQ(0, test::RunTool("compile main.kelvra", folder).status);
    const std::string target = dir.PathOf(c.target);
    fs::remove(target);
    if (c.directory) {
      fs::create_directory(target);
    } else {
      dir.Write(c.target, "earlier");
      fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    const std::string before = Listing(dir.Root());

    test::ToolResult result = test::RunTool(std::string(c.command) + " " + c.script, folder);
    EXPECT_EQ(1, result.status);
    EXPECT_EQ("Build succeeded.\nERROR: " + std::string(c.message) + " in \"" + c.target +
                  "\", line: 1, pos: 1\nINTERNAL: Compiler(N): script::Serializer::Serialize\n",
              WithoutEngineLine(result.out));
    if (!c.directory) {
      EXPECT_EQ("earlier", test::ReadFile(target));
    }
    EXPECT_EQ(before, Listing(dir.Root()));
  }
}

TEST(CompileCommandTest, AMissingFolderIsReported) {
  test::TempDir dir;
  test::CaptureSink sink;
  ScriptRunner runner(dir.Write("main.kelvra", "i32 a;\n"), &sink);
  ASSERT_TRUE(runner.Load());
  Error error;
  TextSerializer writer(runner.GetInterpreter(), error);
  EXPECT_FALSE(writer.Serialize(dir.PathOf("missing/main.kelvra")));
  EXPECT_EQ(static_cast<int32_t>(ErrorCode::SYSTEM_ERROR), error.Code());
  EXPECT_EQ("No such file or directory", error.Name());
  EXPECT_EQ(dir.PathOf("missing/main.kelvra"), error.File());
}

}  // namespace
}  // namespace script
