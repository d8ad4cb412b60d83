// Scripts that compute values, run by the tool with their globals listed:
// literal types, conversions and wrap-around, comparisons by the left
// operand's type, strings, and the increment wrapper.
#include <gtest/gtest.h>

#include "tests/support/NamedCase.h"
#include "tests/support/ToolRun.h"

namespace script {
namespace {

struct ValueCase {
  const char* name;
  const char* script;
  const char* globals;  // the listing after "Build succeeded."
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class ValueScriptTest : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueScriptTest, ListsTheComputedGlobals) {
  const ValueCase& c = GetParam();
  test::ToolResult result = test::RunScriptWithGlobals(c.script);
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(std::string("Build succeeded.\n") + c.globals, result.out);
}

const ValueCase kCases[] = {
    {"LiteralsTakeTheirTypes",
     "ui8 a = 2.0; ui16 h = 0x1FF; i8 m = -1; i16 n = -128; double f = 1.5; ui16 w = 300; ui64 x = 0FFFFFFFFFFh;",
     "a : ui8 = 2 '\\x02'\nh : ui16 = 511\nm : i8 = -1 '\\xff'\nn : i16 = -128\nf : double = 1.5\n"
     "w : ui16 = 300\nx : ui64 = 1099511627775\n"},
    {"ArithmeticWrapsAtTheLeftWidth",
     "i8 c = 127; c = c + 1; ui8 u = 0; u = u - 1; ui8 v = 200; v = v + 100; i16 s = 1; s = s << 15;",
     "c : i8 = -128 '\\x80'\nu : ui8 = 255 '\\xff'\nv : ui8 = 44 ','\ns : i16 = -32768\n"},
    {"ShiftsAreArithmeticForSignedTypes", "i32 r = -16; r = r >> 2; ui32 l = 4294967280; l = l >> 2; i32 k = 1 << 33;",
     "r : i32 = -4\nl : ui32 = 1073741820\nk : i32 = 2\n"},
    {"SmallestI32DividedByMinusOneDoesNotTrap", "i32 m = -2147483647; m = m - 1; i32 d = m / -1; i32 r = m % -1;",
     "m : i32 = -2147483648\nd : i32 = -2147483648\nr : i32 = 0\n"},
    {"ComparisonsFollowTheLeftType",
     "ui32 u = 4294967295; bool gt = u > -1; i8 n = -1; bool lt = n < 200; i32 s = -5; bool ls = s < 3;",
     "u : ui32 = 4294967295\ngt : bool = false\nn : i8 = -1 '\\xff'\nlt : bool = false\ns : i32 = -5\n"
     "ls : bool = true\n"},
    {"LogicAndEqualityAcrossKinds",
     "bool a = 1 && 0; bool o = 0 || \"x\"; bool e = 3 == 3.0; double d = 1 / 2; double h = 1.0e+0 / 2;",
     "a : bool = false\no : bool = true\ne : bool = true\nd : double = 0\nh : double = 0.5\n"},
    {"StringsConcatenateNumbers", "string s = \"ab\"; s = s + 1; string t = \"n=\"; t = t + 2.5; string q = \"\\\"\\t\";",
     "s : string = \"ab1\"\nt : string = \"n=2.5\"\nq : string = \"\\\"\\t\"\n"},
    {"CompoundAssignmentsAndUnaryOperators",
     "i32 z = 5; z += 3; z %= 7; z ^= 1; z |= 8; z &= 12; z -= 1; z *= 3; z /= 2; i32 n = ~z; bool b = !z;",
     "z : i32 = 10\nn : i32 = -11\nb : bool = false\n"},
    {"IncrementWrapperAppliesStepsAroundTheStatement", "i32 x = 1; i32 y = x++ + ++x;", "x : i32 = 3\ny : i32 = 4\n"},
    {"ReferenceAssignmentAliasesTheVariable", "i32 a = 7; i32 b = a; b @= a; b = 9;", "a : i32 = 9\nb : i32 = 9\n"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ValueScriptTest, testing::ValuesIn(kCases),
                         test::ByCaseName());

TEST(ValueScriptTest, DivisionByZeroIsARuntimeError) {
  test::ToolResult result = test::RunScriptWithGlobals("i32 z = 0;\ni32 q = 5;\nq = q / z;\n");
  EXPECT_EQ(2, result.status);
  EXPECT_NE(std::string::npos, result.err.find("RUNTIME ERROR: Division by zero in \""))
      << result.err;
  EXPECT_NE(std::string::npos, result.err.find("main.kelvra\", line: 3 ,pos: 7, sym: /")) << result.err;
  EXPECT_NE(std::string::npos, result.out.find("q : i32 = 5\n"));
}

}  // namespace
}  // namespace script
