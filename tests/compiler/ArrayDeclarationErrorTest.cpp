// Array declarations that fail to compile, and the report each one gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/NamedCase.h"
#include "tests/support/CompileReport.h"

namespace script {
namespace {

struct ArrayErrorCase {
  const char* name;
  const char* script;
  const char* error;     // the name in the ERROR line
  int position;          // its position on line 1
  const char* function;  // the raising handler, after "script::Interpreter::"
};
void PrintTo(const ArrayErrorCase& c, std::ostream* os) { *os << c.name; }

class ArrayDeclarationErrorTest : public testing::TestWithParam<ArrayErrorCase> {};

TEST_P(ArrayDeclarationErrorTest, ReportsExactly) {
  const ArrayErrorCase& c = GetParam();
  const test::CompiledReport report = test::CompileFiles({{"main.kelvra", c.script}});
  const std::vector<std::string> expected = {
      std::string("ERROR: ") + c.error + " in \"$DIR/main.kelvra\", line: 1, pos: " + std::to_string(c.position),
      std::string("INTERNAL: Compiler(N): script::Interpreter::") + c.function};
  EXPECT_EQ(expected, report.build);
  EXPECT_FALSE(report.loaded);
}

const ArrayErrorCase kCases[] = {
    // The type list.
    {"NoTypeList", "array i32 a;", "SYNTAX_ERROR", 7, "ArrayBeginEvent"},
    {"TwoElementTypes", "array<i32 i32> a;", "ARRAY_TYPE_ALREADY_DECLARED", 11, "ArrayTypeEvent"},
    {"UnknownStructName", "array<Point, 2> a;", "UNDEFINED_TYPE", 7, "ArrayTypeEvent"},
    {"BuiltInNameAsType", "array<sizeof, 2> a;", "EXPECTING_TYPE_NAME", 7, "ArrayTypeEvent"},
    {"NumberAsType", "array<5> a;", "EXPECTING_TYPE_NAME", 7, "ArrayTypeEvent"},
    {"ArrayOfArrays", "array<array<i32, 2>, 3> a;", "EXPECTING_TYPE_NAME", 7, "ArrayTypeEvent"},
    {"UndeclaredFunctionAsType", "array<function<f>, 2> a;", "UNDEFINED_FUNCTION", 16, "ArrayFunctionTypeEvent"},
    {"FunctionTypeWithoutName", "array<function<3>, 2> a;", "EXPECTING_FUNCTION_REF_TYPE", 16,
     "ArrayFunctionTypeEvent"},
    {"FunctionTypeWithoutList", "array<function 3> a;", "SYNTAX_ERROR", 16, "ArrayBeginFunctionTypeEvent"},
    // Array types of functions and casts.
    {"DynamicReturnArray", "i32 n = 2; function array<i32, n> f() { }", "DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE", 35,
     "FunctionNameEvent"},
    {"DimensionlessValueArgument", "function i32 f(array<i32> a) { }", "EXPECTING_NONZERO_ARRAY_DIMENSION", 27,
     "ErrorIfDynamicArray"},
    {"DynamicArgumentArray", "i32 n = 2; function i32 f(array<i32, n> a) { }",
     "DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE", 38, "ArrayDimensionEvent"},
    {"DynamicCastArray", "i32 n = 1; i32 v = cast<array<i32, n>>(n);", "DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE",
     36, "ArrayDimensionEvent"},
    {"TypeListWithoutEnd", "array<i32; a;", "SYNTAX_ERROR", 10, "ArrayPostTypeEvent"},
    {"DoubleCloseLeavesAStrayGreater", "array<i32, 3>> a;", "EXPECTING_SYMBOL", 13, "TypeDecEvent"},
    {"NumberAsVariableName", "array<i32, 3> 5;", "EXPECTING_SYMBOL", 15, "TypeDecEvent"},
    // Fixed dimensions.
    {"ZeroSize", "array<i32, 0> a;", "EXPECTING_NONZERO_ARRAY_SIZE", 13, "ArrayDimensionEndEvent"},
    {"FractionalSize", "array<i32, 2.5> a;", "EXPECTING_NUMERIC_ARRAY_SIZE", 15, "ArrayDimensionEndEvent"},
    {"StringSize", "array<i32, \"4\"> a;", "EXPECTING_NUMERIC_ARRAY_SIZE", 15, "ArrayDimensionEndEvent"},
    {"NegativeSize", "array<i32, -3> a;", "EXPECTING_NUMERIC_ARRAY_SIZE", 14, "ArrayDimensionEndEvent"},
    {"SizeBeyond32Bits", "array<ui8, 4294967296> a;", "EXPECTING_NUMERIC_ARRAY_SIZE", 22, "ArrayDimensionEndEvent"},
    {"StorageBeyond32Bits", "array<i32, 65536, 65536> a;", "EXPECTING_NUMERIC_ARRAY_SIZE", 19,
     "ArrayDimensionEvent"},
    {"ZeroSecondDimension", "array<i32, 3, 0> a;", "EXPECTING_NONZERO_ARRAY_DIMENSION", 15, "ArrayDimensionEvent"},
    {"EmptyDimension", "array<i32, > a;", "SYNTAX_ERROR", 12, "ArrayDimensionEvent"},
    {"EmptySecondDimension", "array<i32, 3, ; a;", "SYNTAX_ERROR", 15, "ArrayDimensionEvent"},
    {"SemicolonInDimension", "array<i32, 3; a;", "SYNTAX_ERROR", 13, "ArrayDimExpEvent"},
    // Dynamic dimensions.
    {"DynamicThenSecondDimension", "i32 n = 2; array<i32, n, 2> a;", "DYNAMIC_ARRAY_MUST_HAVE_ONE_DIMESION", 24,
     "ArrayDimensionEndEvent"},
    {"DynamicAfterFixed", "i32 n = 2; array<i32, 2, n> a;", "DYNAMIC_ARRAY_MUST_HAVE_ONE_DIMESION", 26,
     "ArrayDimensionEvent"},
    {"ComparisonInDimension", "i32 n = 2; array<i32, n == 2> a;",
     "DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION", 25, "ArrayDimExpEvent"},
    {"LogicalAndInDimension", "i32 n; array<i32, (n && n)> a;",
     "DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION", 22, "ArrayDimExpEvent"},
    {"TrueAsDimension", "array<i32, true> a;", "DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION", 12,
     "ArrayDimensionEvent"},
    {"NotAfterAnOperator", "i32 n; array<i32, n + !n> a;", "DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION",
     23, "ArrayDimOperandEvent"},
    {"BoolVariableAsDimension", "bool b; array<i32, b> a;", "DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION",
     21, "ArrayDimensionEndEvent"},
    {"StringVariableAsDimension", "string s; array<i32, s> a;", "EXPECTING_NUMERIC_ARRAY_SIZE", 23,
     "ArrayDimensionEndEvent"},
    {"UndeclaredNameInDimension", "array<i32, n> a;", "UNDEFINED_SYMBOL", 12, "CreateVariableNode"},
    {"SignedNameInDimension", "i32 n; array<i32, -n> a;", "EXPECTING_NUMBER", 20, "NumberEvent"},
    {"DynamicStructMember", "i32 n = 1; struct S { array<i32, n> x; };", "DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE",
     34, "ArrayDimensionEvent"},
    {"ComputedStructMember", "i32 n = 1; struct S { array<i32, 2 * n> x; };",
     "DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE", 39, "ArrayDimensionEndEvent"},
    // Struct members.
    {"DimensionlessMember", "struct S { array<i32> x; };", "EXPECTING_NONZERO_ARRAY_DIMENSION", 23,
     "ErrorIfDynamicArray"},
    {"DuplicateArrayVariable", "array<i32, 2> a, a;", "DUPLICATE_DECLARATION", 18, "TypeDecEvent"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ArrayDeclarationErrorTest, testing::ValuesIn(kCases),
                         test::ByCaseName());

TEST(ArrayDeclarationTest, AcceptedForms) {
  for (const char* script : {
           "array<i32, 4, 3> m; array<ui8, 0x10, 2h, 11b> bytes;",
           "struct P { i8 a; array<ui8, 3> b; array<i32> @r; } p; array<P, 2> ps, qs = ps;",
           "i32 n = 2; { array<double, n * 2 + (n - 1)> d; array<i32, n++> e; }",
           "array<string, 2> names = names; array<ui8, 8> text = \"abc\";",
           "array<i32, 3> a; i32 i; a[1] = a[0] + 2; a[i++] = a[++i];",
       }) {
    EXPECT_EQ(std::vector<std::string>{"Build succeeded."}, test::CompileFiles({{"main.kelvra", script}}).build)
        << script;
  }
}

TEST(ArrayDeclarationTest, ElementsTakeNoIncrements) {
  // The steps of a statement run outside it, where no subscript is evaluated.
  EXPECT_EQ((std::vector<std::string>{"ERROR: OPERATOR_NOT_ALLOWED_ON_ARRAY in \"$DIR/main.kelvra\", line: 2, pos: 5",
                                      "INTERNAL: Expressions(N): script::OperatorPrePost::IsExpression"}),
            test::CompileFiles({{"main.kelvra", "array<i32, 3> a;\na[2]++;\n"}}).build);
}

}  // namespace
}  // namespace script
