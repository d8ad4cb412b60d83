#include <gtest/gtest.h>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Diagnostics/RuntimeErrorReporter.h"
#include "Script/Platform/Thread.h"
#include "tests/support/CaptureSink.h"

namespace script {
namespace {

TEST(ErrorTest, SuccessIsOneLine) {
  Error error;
  test::CaptureSink sink;
  error.Report(sink);
  EXPECT_EQ(std::vector<std::string>{"Build succeeded."}, sink.Lines(CHANNEL_BUILD));
}

TEST(ErrorTest, FailureWithTraceAndModulePath) {
  Error error;
  error.SetError(135, "STRING_IS_NOT_SAFE_EXTERNAL_TYPE", "C:\\src\\Expressions", "script::Type::IsSafeType", 77);
  error.SetLocation("dir/a.kelvra", 3, 14);
  error.Trace() = {"first", "second"};
  test::CaptureSink sink;
  error.Report(sink);
  EXPECT_EQ((std::vector<std::string>{
                "ERROR: STRING_IS_NOT_SAFE_EXTERNAL_TYPE in \"dir/a.kelvra\", line: 3, pos: 14", "TRACE:", "first",
                "second", "INTERNAL: Expressions(77): script::Type::IsSafeType"}),
            sink.Lines(CHANNEL_BUILD));
}

TEST(ErrorTest, NodePositionWinsOverTheReaderLocation) {
  Error error;
  error.Raise(ErrorCode::TYPES_MISMATCHED, module::kExpressions, "script::X::IsExpression");
  error.SetNodePosition(SourcePosition{90, 0, 4, 7});
  error.SetLocation("a.kelvra", 9, 1);
  EXPECT_EQ(4, error.Line());
  EXPECT_EQ(7, error.Position());
  EXPECT_EQ("TYPES_MISMATCHED", error.Name());
  EXPECT_EQ(88, error.Code());
}

TEST(ErrorTest, CatalogueNamesKeepTheirSpelling) {
  EXPECT_STREQ("DYNAMIC_ARRAY_MUST_HAVE_ONE_DIMESION", ErrorName(ErrorCode::DYNAMIC_ARRAY_MUST_HAVE_ONE_DIMESION));
  EXPECT_STREQ("REFERENCE_ASSIGNMENT_NEEDS_LEFT_VALUE_AS_VARAIBLE",
               ErrorName(ErrorCode::REFERENCE_ASSIGNMENT_NEEDS_LEFT_VALUE_AS_VARAIBLE));
  EXPECT_STREQ("CANNOT_PASS_CONST_BY_REFERENCE_ARG_", ErrorName(ErrorCode::CANNOT_PASS_CONST_BY_REFERENCE_ARG));
  EXPECT_STREQ("NO_ERROR", ErrorName(ErrorCode::NO_ERROR));
  EXPECT_STREQ("", ErrorName(ErrorCode::SYSTEM_ERROR));
}

class RuntimeErrorReporterTest : public testing::Test {
 protected:
  void SetUp() override {
    file_ = symbols_.InternFile("scripts/main.kelvra");
    symbol_ = symbols_.InternSymbol("x");
  }
  std::string ThreadPrefix() const { return "thread: " + std::to_string(platform::CurrentThreadId()); }

  SymbolStore symbols_;
  test::CaptureSink sink_;
  uint32_t file_ = 0;
  uint32_t symbol_ = 0;
};

TEST_F(RuntimeErrorReporterTest, TopLevelErrorWithoutCode) {
  RuntimeErrorReporter reporter(&symbols_, &sink_);
  SourcePosition where{symbol_, file_, 2, 5};
  reporter.Report("DIVISION BY ZERO", where, 0, {{"main.kelvra", where}});
  EXPECT_EQ((std::vector<std::string>{
                ThreadPrefix() + ", RUNTIME ERROR: DIVISION BY ZERO in \"scripts/main.kelvra\", line: 2 ,pos: 5, sym: x",
                "TRACE:", "        main.kelvra : \"scripts/main.kelvra\", line: 2, pos: 5"}),
            sink_.Lines(CHANNEL_RUN));
  EXPECT_EQ("main.kelvra [scripts/main.kelvra, line: 2, pos: 5]", reporter.LastError().trace);
}

TEST_F(RuntimeErrorReporterTest, CodeAndNestedFrames) {
  RuntimeErrorReporter reporter(&symbols_, &sink_);
  SourcePosition inner{symbol_, file_, 7, 3};
  SourcePosition outer{0, file_, 12, 1};
  reporter.Report("MEMORY_ACCESS_EXCEPTION!", inner, 0xc0000005u, {{"f", inner}, {"main.kelvra", outer}});
  std::vector<std::string> lines = sink_.Lines(CHANNEL_RUN);
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ(ThreadPrefix() +
                ", RUNTIME ERROR: MEMORY_ACCESS_EXCEPTION! error:0xc0000005 in \"scripts/main.kelvra\", line: 7 ,pos: "
                "3, sym: x",
            lines[0]);
  EXPECT_EQ("        f : \"scripts/main.kelvra\", line: 7, pos: 3", lines[2]);
  EXPECT_EQ("f [scripts/main.kelvra, line: 7, pos: 3]\r\nmain.kelvra [scripts/main.kelvra, line: 12, pos: 1]",
            reporter.LastError().trace);
}

TEST_F(RuntimeErrorReporterTest, WithoutASinkOnlyTheRecordChanges) {
  RuntimeErrorReporter reporter(&symbols_, nullptr);
  reporter.Report("boom", SourcePosition{9999, 9999, 1, 1}, 5, {});
  EXPECT_EQ("boom", reporter.LastError().message);
  EXPECT_EQ(5u, reporter.LastError().code);
  EXPECT_EQ("", reporter.LastError().trace);
}

}  // namespace
}  // namespace script
