// Compiling whole scripts through the runner and reading the build report.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Script/Script/ScriptRunner.h"
#include "tests/support/NamedCase.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/CompileReport.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

struct CompileCase {
  const char* name;
  std::map<std::string, std::string> files;  // relative path -> content; the script is main.kelvra
  std::vector<std::string> report;           // "$DIR/" stands for the folder of the files
};
void PrintTo(const CompileCase& c, std::ostream* os) { *os << c.name; }

class CompileReportTest : public testing::TestWithParam<CompileCase> {};

TEST_P(CompileReportTest, ReportsExactly) {
  const CompileCase& c = GetParam();
  test::CompiledReport report = test::CompileFiles(c.files);
  EXPECT_EQ(c.report, report.build);
  EXPECT_EQ(c.report.front() == "Build succeeded.", report.loaded);
  EXPECT_TRUE(report.run.empty());
}

const CompileCase kCases[] = {
    {"EmptyScript", {{"main.kelvra", ""}}, {"Build succeeded."}},
    {"BlocksAndEmptyStatements", {{"main.kelvra", "{ ; { } };\n;\n{\n\t{ ; }\n}\n"}}, {"Build succeeded."}},
    {"ClosingBraceAtTopLevel",
     {{"main.kelvra", "{ }\n  }\n"}},
     {"ERROR: UNEXPECTED_END_OF_SCOPE in \"$DIR/main.kelvra\", line: 2, pos: 3",
      "INTERNAL: Compiler(N): script::Interpreter::EndScope"}},
    {"UnclosedBlock",
     {{"main.kelvra", "{\n"}},
     {"ERROR: UNEXPECTED_END_OF_SCRIPT in \"$DIR/main.kelvra\", line: 2, pos: 1",
      "INTERNAL: Compiler(N): script::ScriptReader::OnRead"}},
    {"EmptyIncludeName",
     {{"main.kelvra", "include \"\";\n"}},
     // The reader moves past a string constant whatever the compiler answers.
     {"ERROR: EXPECTING_SCRIPT_NAME in \"$DIR/main.kelvra\", line: 1, pos: 11",
      "INTERNAL: Compiler(N): script::Interpreter::IncludeEvent"}},
    {"IncludeOfANumber",
     {{"main.kelvra", "\ninclude 5;\n"}},
     {"ERROR: EXPECTING_SCRIPT_NAME in \"$DIR/main.kelvra\", line: 2, pos: 9",
      "INTERNAL: Compiler(N): script::Interpreter::IncludeEvent"}},
    {"SelfIncludeIsReadOnce", {{"main.kelvra", "include \"main.kelvra\";\n{ }\n"}}, {"Build succeeded."}},
    {"MutualIncludesAreReadOnce",
     {{"main.kelvra", "include \"a.kelvra\";\n"}, {"a.kelvra", "include \"main.kelvra\";\n{ }\n"}},
     {"Build succeeded."}},
    {"IncludesResolveAgainstTheIncludingFolder",
     {{"main.kelvra", "include \"sub/a.kelvra\";\n"},
      {"sub/a.kelvra", "include 'b.kelvra';\n"},
      {"sub/b.kelvra", "{ }\n"}},
     {"Build succeeded."}},
    {"BackslashesInIncludeNames",
     {{"main.kelvra", "include \"sub\\\\a.kelvra\";\n"}, {"sub/a.kelvra", ";\n"}},
     {"Build succeeded."}},
    {"MissingInclude",
     {{"main.kelvra", "{ }\ninclude \"nope.kelvra\";\n"}},
     {"ERROR: No such file or directory in \"$DIR/main.kelvra\", line: 2, pos: 9",
      "INTERNAL: Compiler(N): script::Interpreter::IncludeEvent"}},
    {"LexicalErrorInsideAnInclude",
     {{"main.kelvra", "include \"inc.kelvra\";\n"}, {"inc.kelvra", "\n{ # }\n"}},
     {"ERROR: UNEXPECTED_CHARACTER in \"$DIR/inc.kelvra\", line: 2, pos: 3",
      "INTERNAL: Compiler(N): script::ScriptReader::ProcessOperator"}},
    {"IncludedFileWithAnUnclosedBlock",
     {{"main.kelvra", "include \"inc.kelvra\";\n"}, {"inc.kelvra", "{\n"}},
     {"ERROR: UNEXPECTED_END_OF_SCRIPT in \"$DIR/inc.kelvra\", line: 2, pos: 1",
      "INTERNAL: Compiler(N): script::ScriptReader::OnRead"}},
    {"UndeclaredIdentifier",
     {{"main.kelvra", "{ x; }\n"}},
     {"ERROR: UNDEFINED_SYMBOL in \"$DIR/main.kelvra\", line: 1, pos: 3",
      "INTERNAL: Compiler(N): script::Interpreter::BeginScopeExpression"}},
    {"CaseOutsideASwitch",
     {{"main.kelvra", "case\n"}},
     {"ERROR: ILLEGAL_CASE in \"$DIR/main.kelvra\", line: 1, pos: 1",
      "INTERNAL: Compiler(N): script::Interpreter::BeginScopeExpression"}},
    {"BreakOutsideALoop",
     {{"main.kelvra", "{ break; }\n"}},
     {"ERROR: ILLEGAL_BREAK in \"$DIR/main.kelvra\", line: 1, pos: 3",
      "INTERNAL: Compiler(N): script::Interpreter::BeginScopeExpression"}},
    {"ReturnAtTopLevel",
     {{"main.kelvra", "return;\n"}},
     {"ERROR: UNEXPECTED_RETURN in \"$DIR/main.kelvra\", line: 1, pos: 1",
      "INTERNAL: Compiler(N): script::Interpreter::BeginScopeExpression"}},
};

INSTANTIATE_TEST_SUITE_P(Scripts, CompileReportTest, testing::ValuesIn(kCases),
                         test::ByCaseName());

TEST(ScriptRunnerTest, MissingFileIsASystemError) {
  test::TempDir dir;
  test::CaptureSink sink;
  const std::string path = dir.PathOf("missing.kelvra");
  ScriptRunner runner(path, &sink);
  EXPECT_FALSE(runner.Load());
  EXPECT_EQ((std::vector<std::string>{"ERROR: No such file or directory in \"" + path + "\", line: 1, pos: 1",
                                      "INTERNAL: Script(N): script::ScriptRunner::Load"}),
            test::WithoutEngineLines(sink.Lines(CHANNEL_BUILD)));
  EXPECT_EQ(136, runner.GetError().Code());
  EXPECT_FALSE(runner.Execute());
  EXPECT_EQ(2u, sink.Lines(CHANNEL_BUILD).size()) << "Execute after a failed load prints nothing";
}

TEST(ScriptRunnerTest, ADirectoryIsASystemError) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.Root() / "folder.kelvra");
  test::CaptureSink sink;
  const std::string path = dir.PathOf("folder.kelvra");
  ScriptRunner runner(path, &sink);
  EXPECT_FALSE(runner.Load());
  EXPECT_EQ("ERROR: Is a directory in \"" + path + "\", line: 1, pos: 1", sink.Lines(CHANNEL_BUILD).at(0))
      << "the script that cannot be read is named";
}

TEST(ScriptRunnerTest, KindFollowsTheLastExtension) {
  const std::pair<const char*, ScriptKind> cases[] = {
      {"a.kelvra", SCRIPT_SOURCE},       {"a.b.kelvra", SCRIPT_SOURCE},   {"script.KELVRA", SCRIPT_UNKNOWN},
      {"x.bin", SCRIPT_COMPILED},        {"x.kelvra.bin", SCRIPT_COMPILED}, {"noextension", SCRIPT_UNKNOWN},
      {"dir.kelvra/x", SCRIPT_UNKNOWN},  {"x.kelvrax", SCRIPT_UNKNOWN},   {"", SCRIPT_UNKNOWN},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(kind, ScriptKindOf(path)) << path;
}

TEST(ScriptRunnerTest, UnknownKindIsReportedWithoutReading) {
  test::CaptureSink sink;
  ScriptRunner runner("script.KELVRA", &sink);
  EXPECT_FALSE(runner.Load());
  EXPECT_EQ(std::vector<std::string>{"Unknown script type!"}, sink.Lines(CHANNEL_BUILD));
}

}  // namespace
}  // namespace script
