// Scripts with functions run end to end through `kelvra run --globals`.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/support/NamedCase.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

struct ScriptCase {
  const char* name;
  const char* script;
  int status;           // the tool's exit code
  const char* globals;  // standard output after "Build succeeded.\n"
  const char* errors;   // standard error; "$F" is the script's path
};
void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

// Addresses and thread ids differ from run to run.
std::string Normalized(const std::string& text) {
  std::string stable = std::regex_replace(text, std::regex("0x[0-9a-f]{16}"), "0xADDR");
  return std::regex_replace(stable, std::regex("thread: [0-9]+,"), "thread: T,");
}

std::string Expanded(std::string text, const std::string& path) {
  for (std::size_t at = text.find("$F"); at != std::string::npos; at = text.find("$F", at + path.size()))
    text.replace(at, 2, path);
  return text;
}

class FunctionScriptTest : public testing::TestWithParam<ScriptCase> {};

TEST_P(FunctionScriptTest, RunsAsExpected) {
  const ScriptCase& c = GetParam();
  test::TempDir dir;
  const std::string path = dir.Write("main.kelvra", c.script);
  test::ToolResult result = test::RunTool("run --globals '" + path + "'");
  EXPECT_EQ(c.status, result.status);
  EXPECT_EQ(std::string("Build succeeded.\n") + c.globals, Normalized(result.out));
  EXPECT_EQ(Expanded(c.errors, path), Normalized(result.err));
}

const ScriptCase kCases[] = {
    {"RecursiveFibonacci",
     "function i32 fib(i32 n) {\n  if (n < 2) return n;\n  return fib(n - 1) + fib(n - 2);\n}\ni32 f = fib(20);\n", 0,
     "f : i32 = 6765\n", ""},
    {"ArraysMeetFunctions",
     "function i32 sq(i32 x) { return x * x; }\nfunction i32 cube(i32 x) { return x * x * x; }\n"
     "array<function<sq>, 2> ops;\nops[0] = sq;\nops[1] = cube;\ni32 a = ops[1](2);\n"
     "function i32 total(array<i32, 3> @ v) { return v[0] + v[1] + v[2]; }\n"
     "array<i32, 3> data;\ndata[0] = 1; data[1] = 2; data[2] = 4;\ni32 t = total(data);\n"
     "function array<i32, 2> pair(i32 x) { array<i32, 2> r; r[0] = x; r[1] = x + 1; return r; }\n"
     "i32 p = pair(7)[1];\n",
     0,
     "ops : array<function<sq>,2> = <...>\n  [0] : function<sq> = 0xADDR\n  [1] : function<sq> = 0xADDR\n"
     "a : i32 = 8\ndata : array<i32,3> = <...>\n  [0] : i32 = 1\n  [1] : i32 = 2\n  [2] : i32 = 4\n"
     "t : i32 = 7\np : i32 = 8\n",
     ""},
    {"ValueAndReferenceArguments",
     "i32 a = 5;\ni32 b = 5;\n"
     "function i32 bump(i32 byValue, i32@ byRef) { byValue += 1; byRef += 1; return byValue; }\n"
     "i32 r = bump(a, b);\n",
     0, "a : i32 = 5\nb : i32 = 6\nr : i32 = 6\n", ""},
    {"ReferenceToReferenceRebindsTheCallersVariable",
     "i32 a = 1;\ni32 b = 2;\n"
     "function i32 rebind(i32@@ r, i32@ target) { r @= target; return r; }\n"
     "i32 seen = rebind(a, b);\na = 7;\n",
     0, "a : i32 = 7\nb : i32 = 7\nseen : i32 = 2\n", ""},
    {"ArgumentsConvertToTheParameterType",
     "function i32 narrow(i8 v) { return v; }\ni32 r = narrow(300);\n", 0, "r : i32 = 44\n", ""},
    {"ReturnValuesConvertToTheReturnType",
     "function i8 f() { return 300; }\ni8 v = f();\n"
     "function i32 h() { return 2000000000; }\ni64 sum = h() + h();\n",
     0, "v : i8 = 44 ','\nsum : i64 = -294967296\n", ""},
    {"EveryCallHasFreshLocals",
     "function i32 acc(i32 v) { i32 local; local += v; return local; }\ni32 first = acc(3);\ni32 second = acc(4);\n",
     0, "first : i32 = 3\nsecond : i32 = 4\n", ""},
    {"ArgumentsRunInOrderBeforeTheCall",
     "i32 order = 0;\n"
     "function i32 g() { order = order * 10 + 1; return 1; }\n"
     "function i32 h() { order = order * 10 + 2; return 2; }\n"
     "function i32 f(i32 a, i32 b) { order = order * 10 + 3; return a * 10 + b; }\n"
     "i32 r = f(g(), h());\n",
     0, "order : i32 = 123\nr : i32 = 12\n", ""},
    {"ChainOfCalls",
     "function i32 d0(i32 n) { return n; }\n"
     "function i32 d1(i32 n) { return n + d0(n * 2); }\n"
     "function i32 d2(i32 n) { return n + d1(n * 2); }\n"
     "i32 chain = d2(1);\n",
     0, "chain : i32 = 7\n", ""},
    {"FunctionReferences",
     "function i32 cube(i32 v) { return v * v * v; }\n"
     "function i32 square(i32 v) { return v * v; }\n"
     "function<cube> byName = square;\n"
     "function<cube> unbound;\n"
     "function i32 apply(function<cube> f, i32 v) { return f(v); }\n"
     "function function<cube> pick() { return square; }\n"
     "struct Ops { function<cube> op; };\nOps ops;\nops.op = cube;\n"
     "i32 viaVariable = byName(3);\ni32 viaArgument = apply(cube, 2);\ni32 viaReturn = pick()(5);\n"
     "i32 viaMember = ops.op(4);\ni32 boundOnFirstUse = unbound(2);\n",
     0,
     "byName : function<cube> = 0xADDR\nunbound : function<cube> = 0xADDR\nops : Ops = <...>\n"
     "  op : function<cube> = 0xADDR\nviaVariable : i32 = 9\nviaArgument : i32 = 8\nviaReturn : i32 = 25\n"
     "viaMember : i32 = 64\nboundOnFirstUse : i32 = 8\n",
     ""},
    {"StructResultsFeedAccessChains",
     "struct P { i32 x; i32 y; };\nP g;\n"
     "function P make(i32 a) { P p; p.x = a; p.y = a * 3; return p; }\n"
     "function i32@ gx() { return g.x; }\n"
     "i32 mx = make(4).x;\ni32 my = make(5).y;\ng.x = 9;\ni32 viaReference = gx();\n",
     0, "g : P = <...>\n  x : i32 = 9\n  y : i32 = 0\nmx : i32 = 4\nmy : i32 = 15\nviaReference : i32 = 9\n", ""},
    {"StringsPassAndReturnByValue",
     "string s = \"ab\";\nfunction string twice(string t) { t = t + t; return t; }\nstring r = twice(s);\n", 0,
     "s : string = \"ab\"\nr : string = \"abab\"\n", ""},
    {"RuntimeErrorInACalleeTracesTheCalls",
     "i32 zero = 0;\n"
     "function i32 inner(i32 d) { return 10 / d; }\n"
     "function i32 outer(i32 d) { return inner(d) + 1; }\n"
     "i32 r = outer(zero);\n",
     2, "zero : i32 = 0\nr : i32 = 0\n",
     "thread: T, RUNTIME ERROR: Division by zero in \"$F\", line: 2 ,pos: 39, sym: /\n"
     "TRACE:\n"
     "        inner : \"$F\", line: 2, pos: 29\n"
     "        outer : \"$F\", line: 3, pos: 29\n"
     "        main.kelvra : \"$F\", line: 4, pos: 1\n"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, FunctionScriptTest, testing::ValuesIn(kCases),
                         test::ByCaseName());

TEST(FunctionScriptTest, EndlessRecursionEndsInARuntimeError) {
  if (test::kThreadSanitizer) GTEST_SKIP() << "needs machine stacks deeper than ThreadSanitizer records";
  test::TempDir dir;
  const std::string path = dir.Write("main.kelvra", "function i32 deep(i32 n) { return deep(n + 1); }\ni32 r = deep(0);\n");
  test::ToolResult result = test::RunTool("run '" + path + "'");
  EXPECT_EQ(2, result.status);
  EXPECT_EQ(0u, Normalized(result.err).find("thread: T, RUNTIME ERROR: Stack overflow. in \"" + path + "\", line: 1"))
      << result.err.substr(0, 300);
}

}  // namespace
}  // namespace script
