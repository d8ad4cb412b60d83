// Compile errors of library declarations, each with its exact report, and
// the trace of a string type that would cross into native code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Script/Script/ScriptRunner.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

struct ErrorCase {
  const char* name;
  const char* script;  // one line: the error lies on line 1
  const char* error;
  int position;
  const char* internal;  // the INTERNAL line after "INTERNAL: "
};

std::vector<std::string> BuildReport(const std::string& script, std::string& path) {
  static test::TempDir dir;
  path = dir.Write("main.kelvra", script + "\n");
  test::CaptureSink sink;
  ScriptRunner runner(path, &sink);
  EXPECT_FALSE(runner.Load());
  return test::WithoutEngineLines(sink.Lines(CHANNEL_BUILD));
}

class LibraryDeclarationErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(LibraryDeclarationErrorTest, ReportsExactly) {
  const ErrorCase& c = GetParam();
  std::string path;
  const std::vector<std::string> report = BuildReport(c.script, path);
  const std::vector<std::string> expected = {
      std::string("ERROR: ") + c.error + " in \"" + path + "\", line: 1, pos: " + std::to_string(c.position),
      std::string("INTERNAL: ") + c.internal};
  EXPECT_EQ(expected, report);
}

const ErrorCase kCases[] = {
    {"NoParenthesisAfterLib", "lib \"libc.so.6\" { } c;", "SYNTAX_ERROR", 16,
     "Compiler(N): script::Interpreter::LibDecEvent"},
    {"EmptyModuleName", "lib (\"\") { } c;", "EXPECTING_MODULE_NAME", 8,
     "Compiler(N): script::Interpreter::LibPathEvent"},
    {"ParenthesisInsteadOfModule", "lib () { } c;", "UNEXPECTED_CHARACTER", 6,
     "Compiler(N): script::Interpreter::LibPathEvent"},
    {"NameInsteadOfModule", "lib (libc) { } c;", "SYNTAX_ERROR", 6, "Compiler(N): script::Interpreter::LibPathEvent"},
    {"NoBody", "lib (\"libc.so.6\") c;", "SYNTAX_ERROR", 19, "Compiler(N): script::Interpreter::LibBeginBodyEvent"},
    {"SemicolonWithoutDeclaration", "lib (\"libc.so.6\") { ; } c;", "SYNTAX_ERROR", 21,
     "Compiler(N): script::Interpreter::LibBodyEvent"},
    {"MissingSemicolon", "lib (\"libc.so.6\") { i32 abs(i32) } c;", "SYNTAX_ERROR", 34,
     "Compiler(N): script::Interpreter::LibBodyEvent"},
    {"BuiltInAsType", "lib (\"libc.so.6\") { sizeof abs(i32); } c;", "EXPECTING_TYPE_NAME", 21,
     "Compiler(N): script::Interpreter::LibFunctionTypeEventHandler"},
    {"UnknownStructure", "lib (\"libc.so.6\") { Point abs(i32); } c;", "UNDEFINED_TYPE", 21,
     "Compiler(N): script::Interpreter::LibFunctionTypeEventHandler"},
    {"ThirdReferenceMarkOnTheReturnType", "lib (\"libc.so.6\") { i32 @ @ @ f(); } c;", "SYNTAX_ERROR", 29,
     "Compiler(N): script::Interpreter::LibFunctionNameEvent"},
    {"ThirdReferenceMarkOnAnArgument", "lib (\"libc.so.6\") { i32 f(i32 @@ @); } c;", "SYNTAX_ERROR", 34,
     "Compiler(N): script::Interpreter::LibFunctionNextArgTypeEvent"},
    {"NoArgumentList", "lib (\"libc.so.6\") { i32 abs; } c;", "EXPECTING_PARENTHESIS", 28,
     "Compiler(N): script::Interpreter::LibFunctionDecEvent"},
    {"ArgumentName", "lib (\"libc.so.6\") { i32 abs(i32 x); } c;", "SYNTAX_ERROR", 33,
     "Compiler(N): script::Interpreter::LibFunctionNextArgTypeEvent"},
    {"ListEndsAfterComma", "lib (\"libc.so.6\") { i32 f(i32, ); } c;", "SYNTAX_ERROR", 32,
     "Compiler(N): script::Interpreter::LibFunctionNextArgTypeEvent"},
    {"SameFunctionTwice", "lib (\"libc.so.6\") { i32 abs(i32); i64 abs(i64); } c;", "DUPLICATE_DECLARATION", 39,
     "Compiler(N): script::Interpreter::CreateMemberDecNode"},
    {"NoFunctionInCallbackType", "lib (\"libc.so.6\") { i32 f(function<nothing>); } c;", "UNDEFINED_FUNCTION", 36,
     "Compiler(N): script::Interpreter::LibFunctionBeginRefDecEvent"},
    {"NumberInCallbackType", "lib (\"libc.so.6\") { i32 f(function<5>); } c;", "EXPECTING_FUNCTION_REF_TYPE", 36,
     "Compiler(N): script::Interpreter::LibFunctionBeginRefDecEvent"},
    {"CallbackTypeWithoutAngle", "lib (\"libc.so.6\") { i32 f(function g); } c;", "SYNTAX_ERROR", 36,
     "Compiler(N): script::Interpreter::LibFunctionFunctionTypeEvent"},
    {"CallbackTypeWithoutClosingAngle",
     "function i32 cb() { return 0; } lib (\"libc.so.6\") { i32 f(function<cb x); } c;", "SYNTAX_ERROR", 71,
     "Compiler(N): script::Interpreter::LibFunctionEndRefDecEvent"},
    {"ArrayByValueWithoutDimension", "lib (\"libc.so.6\") { i32 f(array<ui8>); } c;",
     "EXPECTING_NONZERO_ARRAY_DIMENSION", 37, "Compiler(N): script::Interpreter::ErrorIfDynamicArray"},
    {"NoVariable", "lib (\"libc.so.6\") { i32 abs(i32); };", "SYNTAX_ERROR", 36,
     "Compiler(N): script::Interpreter::LibVarDecEvent"},
    {"VariableNamedTwice", "i32 c; lib (\"libc.so.6\") { i32 abs(i32); } c;", "DUPLICATE_DECLARATION", 44,
     "Compiler(N): script::Interpreter::ReserveAlignedStackSpotIfNotDeclared"},
    {"LibraryWithoutCall", "lib (\"libc.so.6\") { i32 abs(i32); } c; c;", "LIB_FUNCTION_CALL_MISSING", 40,
     "Expressions(N): script::LibNode::IsExpression"},
};

INSTANTIATE_TEST_SUITE_P(Library, LibraryDeclarationErrorTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

TEST(LibraryDeclarationSafety, StringTypeIsTracedFromTheLibraryDown) {
  std::string path;
  const std::vector<std::string> report =
      BuildReport("function i32 cb(string s) { return 0; }\n"
                  "lib (\"libc.so.6\") {\n  i32 abs(i32);\n  i32 walk(function<cb>);\n} c;",
                  path);
  const std::vector<std::string> expected = {
      "ERROR: STRING_IS_NOT_SAFE_EXTERNAL_TYPE in \"" + path + "\", line: 1, pos: 17",
      "TRACE:",
      "        libc.so.6: \"" + path + "\", line: 2, pos: 6",
      "        walk: \"" + path + "\", line: 4, pos: 7",
      "        cb: \"" + path + "\", line: 4, pos: 21",
      "        string: \"" + path + "\", line: 1, pos: 17",
      "INTERNAL: Expressions(N): script::Type::IsSafeType"};
  EXPECT_EQ(expected, report);
}

}  // namespace
}  // namespace script
