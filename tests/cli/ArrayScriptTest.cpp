// Scripts with arrays run through `kelvra run --globals`: element access,
// layout and the listing of the elements.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/NamedCase.h"
#include "tests/support/TempDir.h"
#include "tests/support/ToolRun.h"

namespace {

using script::test::RunTool;
using script::test::ToolResult;

struct ArrayScript {
  const char* name;
  const char* script;
  int status;
  const char* out;    // after "Build succeeded.\n"
  const char* error;  // the runtime error line from "RUNTIME ERROR: " on, or empty
};
void PrintTo(const ArrayScript& c, std::ostream* os) { *os << c.name; }

class ArrayScriptTest : public testing::TestWithParam<ArrayScript> {};

// The runtime error line without its thread id.
std::string RuntimeErrorLine(const std::string& err) {
  const std::size_t start = err.find("RUNTIME ERROR: ");
  if (start == std::string::npos) return "";
  return err.substr(start, err.find('\n', start) - start);
}

TEST_P(ArrayScriptTest, ListsTheGlobals) {
  const ArrayScript& c = GetParam();
  script::test::TempDir dir;
  dir.Write("main.kelvra", c.script);
  const ToolResult result = RunTool("run --globals --leaks main.kelvra", dir.Root().string());
  EXPECT_EQ(c.status, result.status);
  EXPECT_EQ(std::string("Build succeeded.\n") + c.out, result.out);
  EXPECT_EQ(c.error, RuntimeErrorLine(result.err));
  EXPECT_NE(std::string::npos, result.err.find("**** Leaked Memory Blocks ****\nNONE\n")) << result.err;
}

const ArrayScript kScripts[] = {
    {"TwoDimensionsFirstIndexFastest",
     "array<i16, 3, 2> m;\n"
     "m[2, 0] = 20;\n"
     "m[0, 1] = 1;\n"
     "m[1, 1] = m[2, 0] + m[0, 1];\n"
     "m[5] = -5;\n",
     0,
     "m : array<i16,3,2> = <...>\n"
     "  [0,0] : i16 = 0\n"
     "  [1,0] : i16 = 0\n"
     "  [2,0] : i16 = 20\n"
     "  [0,1] : i16 = 1\n"
     "  [1,1] : i16 = 21\n"
     "  [2,1] : i16 = -5\n",
     ""},
    {"StructsWithArrayMembers",
     "struct P { i8 tag; array<ui8, 2> code; i32 value; };\n"
     "array<P, 2> ps;\n"
     "ps[1].value = 9;\n"
     "ps[0].code[1] = 66;\n"
     "ps[1].tag = ps[0].code[1] - 1;\n",
     0,
     "ps : array<P,2> = <...>\n"
     "  [0] : P = <...>\n"
     "    tag : i8 = 0 '\\0'\n"
     "    code : array<ui8,2> = <...>\n"
     "      [0] : ui8 = 0 '\\0'\n"
     "      [1] : ui8 = 66 'B'\n"
     "    value : i32 = 0\n"
     "  [1] : P = <...>\n"
     "    tag : i8 = 65 'A'\n"
     "    code : array<ui8,2> = <...>\n"
     "      [0] : ui8 = 0 '\\0'\n"
     "      [1] : ui8 = 0 '\\0'\n"
     "    value : i32 = 9\n",
     ""},
    {"DynamicArraysTakeTheirSizeWhenDeclared",
     "i32 n = 2;\n"
     "array<double, n * 2 - 1> d;\n"
     "n = 10;\n"
     "d[2] = 0.5;\n"
     "array<i32, n++> e;\n"
     "e[9] = n;\n",
     0,
     "n : i32 = 11\n"
     "d : array<double> = <...>\n"
     "  [0] : double = 0\n"
     "  [1] : double = 0\n"
     "  [2] : double = 0.5\n"
     "e : array<i32> = <...>\n"
     "  [0] : i32 = 0\n"
     "  [1] : i32 = 0\n"
     "  [2] : i32 = 0\n"
     "  [3] : i32 = 0\n"
     "  [4] : i32 = 0\n"
     "  [5] : i32 = 0\n"
     "  [6] : i32 = 0\n"
     "  [7] : i32 = 0\n"
     "  [8] : i32 = 0\n"
     "  [9] : i32 = 11\n",
     ""},
    {"ArraysCopyTheElementsBothHold",
     "array<i32, 3> a;\n"
     "a[0] = 1; a[1] = 2; a[2] = 3;\n"
     "i32 n = 2;\n"
     "array<i32, n> b = a;\n"
     "array<i32, 4> c = b;\n",
     0,
     "a : array<i32,3> = <...>\n"
     "  [0] : i32 = 1\n"
     "  [1] : i32 = 2\n"
     "  [2] : i32 = 3\n"
     "n : i32 = 2\n"
     "b : array<i32> = <...>\n"
     "  [0] : i32 = 1\n"
     "  [1] : i32 = 2\n"
     "c : array<i32,4> = <...>\n"
     "  [0] : i32 = 1\n"
     "  [1] : i32 = 2\n"
     "  [2] : i32 = 0\n"
     "  [3] : i32 = 0\n",
     ""},
    {"StringsAndByteArrays",
     "array<ui8, 4> bytes = \"hello\";\n"
     "string s = bytes;\n"
     "array<string, 2> names;\n"
     "names[1] = s + \"!\";\n",
     0,
     "bytes : array<ui8,4> = <...>\n"
     "  [0] : ui8 = 104 'h'\n"
     "  [1] : ui8 = 101 'e'\n"
     "  [2] : ui8 = 108 'l'\n"
     "  [3] : ui8 = 108 'l'\n"
     "s : string = \"hell\"\n"
     "names : array<string,2> = <...>\n"
     "  [0] : string = \"\"\n"
     "  [1] : string = \"hell!\"\n",
     ""},
    {"IndexPastTheEnd",
     "array<i32, 2> a;\n"
     "a[1] = 4;\n"
     "a[2] = 1;\n",
     2,
     "a : array<i32,2> = <...>\n"
     "  [0] : i32 = 0\n"
     "  [1] : i32 = 4\n",
     "RUNTIME ERROR: Array subscript is out of memory bounds in \"main.kelvra\", line: 3 ,pos: 2, sym: ["},
    {"IndicesPastTheirDimensionBoundedByTheBlock",
     "array<i32, 2, 3> m;\n"
     "m[2, 0] = 1;\n"
     "m[3, 1] = 2;\n"
     "m[0, 3] = 3;\n",
     2,
     "m : array<i32,2,3> = <...>\n"
     "  [0,0] : i32 = 0\n"
     "  [1,0] : i32 = 0\n"
     "  [0,1] : i32 = 1\n"
     "  [1,1] : i32 = 0\n"
     "  [0,2] : i32 = 0\n"
     "  [1,2] : i32 = 2\n",
     "RUNTIME ERROR: Array subscript is out of memory bounds in \"main.kelvra\", line: 4 ,pos: 2, sym: ["},
    {"ArrayMemberDoesNotReachTheNextMember",
     "struct S { array<ui8, 2> a; string s; } x;\n"
     "x.a[2] = 1;\n",
     2,
     "x : S = <...>\n"
     "  a : array<ui8,2> = <...>\n"
     "    [0] : ui8 = 0 '\\0'\n"
     "    [1] : ui8 = 0 '\\0'\n"
     "  s : string = \"\"\n",
     "RUNTIME ERROR: Array subscript is out of memory bounds in \"main.kelvra\", line: 2 ,pos: 4, sym: ["},
    {"NegativeDynamicSize",
     "i32 n = -1;\n"
     "array<i32, n> a;\n",
     2,
     "n : i32 = -1\n"
     "a : array<i32> = <...>\n",
     "RUNTIME ERROR: Array dimension is out of range: -1 in \"main.kelvra\", line: 2 ,pos: 1, sym: array"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ArrayScriptTest, testing::ValuesIn(kScripts),
                         script::test::ByCaseName());

}  // namespace
