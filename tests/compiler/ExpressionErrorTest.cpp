// Compile errors of expressions, variable and struct declarations, and the
// checks of variables and operators, each with its exact place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/NamedCase.h"
#include "tests/support/CompileReport.h"

namespace script {
namespace {

struct ErrorCase {
  const char* name;
  const char* script;
  const char* error;
  int line;
  int position;
  const char* module;  // "Compiler" for handlers, "Expressions" for node checks
  const char* function;
};
void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class ExpressionErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ExpressionErrorTest, ReportsTheErrorAtItsPlace) {
  const ErrorCase& c = GetParam();
  test::CompiledReport report = test::CompileFiles({{"main.kelvra", c.script}});
  EXPECT_FALSE(report.loaded);
  const std::vector<std::string> expected = {
      std::string("ERROR: ") + c.error + " in \"$DIR/main.kelvra\", line: " + std::to_string(c.line) +
          ", pos: " + std::to_string(c.position),
      std::string("INTERNAL: ") + c.module + "(N): " + c.function};
  EXPECT_EQ(expected, report.build);
}

constexpr const char* kCompiler = "Compiler";
constexpr const char* kNodes = "Expressions";

const ErrorCase kCases[] = {
    // Operands and operators.
    {"UndeclaredOperand", "i32 a;\na = b;", "UNDEFINED_SYMBOL", 2, 5, kCompiler,
     "script::Interpreter::CreateVariableNode"},
    {"SignBeforeAVariable", "i32 a; a = -a;", "EXPECTING_NUMBER", 1, 13, kCompiler, "script::Interpreter::NumberEvent"},
    {"MissingOperand", "i32 a; a = 2 +;", "SYNTAX_ERROR", 1, 15, kCompiler, "script::Interpreter::Append2Op"},
    {"MissingOperandAfterNot", "i32 a; a = !;", "SYNTAX_ERROR", 1, 13, kCompiler, "script::Interpreter::Append2Op"},
    {"TypeKeywordAfterAnOperand", "i32 a; a = a i32;", "SYNTAX_ERROR", 1, 14, kCompiler,
     "script::Interpreter::ExpEvent"},
    {"NotAfterAnOperandEndsTheExpression", "i32 a; a = a ! 1;", "SYNTAX_ERROR", 1, 14, kCompiler,
     "script::Interpreter::BeginFullExpression"},
    {"ShiftAssignmentHasNoOperator", "i32 z = 5;\nz <<= 2;", "INVALID_NODE_TYPE", 2, 3, kCompiler,
     "script::Interpreter::CreateNode"},
    {"StatementStartingWithANumber", "i32 a; 5 = a;", "SYNTAX_ERROR", 1, 8, kCompiler,
     "script::Interpreter::BeginScopeExpression"},
    {"UnclosedParenthesis", "i32 a; a = (1 + 2;", "PARENTHESIS_IS_NOT_CLOSED", 1, 12, kNodes,
     "script::Parenthesis::IsExpression"},
    {"UnmatchedClosingParenthesis", "i32 a; a = 1 + 2);", "UNEXPECTED_PARENTHESIS", 1, 17, kCompiler,
     "script::Interpreter::CloseParenthesis"},
    {"PostfixIncrementOfAConstant", "i32 a; a = 5++;", "OPERATOR_NEEDS_VARIABLE", 1, 13, kCompiler,
     "script::Interpreter::ExpEvent"},
    {"PrefixIncrementOfAConstant", "i32 a; a = ++5;", "OPERATOR_NEEDS_VARIABLE", 1, 14, kCompiler,
     "script::Interpreter::AppendValueNode2Op"},
    {"IncrementOfAStruct", "struct S { i32 x; } s;\ns++;", "OPERATOR_NOT_ALLOWED_ON_STRUCT", 2, 1, kNodes,
     "script::Variable::IsExpression"},
    {"SubtractionFromAString", "i32 a; a = \"x\" - 1;", "OPERATOR_NOT_ALLOWED_ON_TYPE", 1, 16, kNodes,
     "script::MathOperator::IsExpression"},
    {"StructInArithmetic", "struct S { i32 x; } s; s + 1;", "OPERATOR_NOT_ALLOWED_ON_TYPE", 1, 26, kNodes,
     "script::MathOperator::IsExpression"},
    {"NumberAssignedToAStruct", "struct S { i32 x; } s; s = 1;", "TYPES_MISMATCHED", 1, 26, kNodes,
     "script::OperatorAssign::IsExpression"},
    {"ReferenceAssignmentOfAConstant", "i32 a; a @= 1;", "TYPES_MISMATCHED", 1, 10, kNodes,
     "script::OperatorRefAssign::IsExpression"},
    {"ReferenceAssignmentAcrossTypes", "i32 a; i64 b; a @= b;", "TYPES_MISMATCHED", 1, 17, kNodes,
     "script::OperatorRefAssign::IsExpression"},
    // Number literals.
    {"ExponentWithoutSign", "double d; d = 1.5e3;", "INVALID_NUMBER_FORMAT", 1, 17, kCompiler,
     "script::Interpreter::FractionEvent"},
    {"IntegerWithExponentWord", "double d; d = 1e5;", "SYNTAX_ERROR", 1, 15, kCompiler,
     "script::Interpreter::Append2Op"},
    {"FractionWithoutDigits", "double d; d = 1.;", "INVALID_NUMBER_FORMAT", 1, 17, kCompiler,
     "script::Interpreter::FractionEvent"},
    {"ExponentWithoutDigits", "double d; d = 1.5e;", "INVALID_NUMBER_FORMAT", 1, 19, kCompiler,
     "script::Interpreter::ExponentSignEvent"},
    {"HexPrefixWithoutDigits", "i32 a; a = 0x;", "INVALID_HEX_NUMBER", 1, 12, kCompiler,
     "script::ScriptReader::ProcessToken"},
    // Member access.
    {"UnknownMember", "struct S { i32 x; } s;\ns.y = 1;", "UNKNOWN_MEMBER_NAME", 2, 3, kCompiler,
     "script::Interpreter::CreateMemberVariableNode"},
    {"MemberNameIsANumber", "struct S { i32 x; } s; s.5 = 1;", "SYNTAX_ERROR", 1, 26, kCompiler,
     "script::Interpreter::MemberAccessEvent"},
    {"MemberOfAScalar", "i32 a; a.x = 1;", "SYNTAX_ERROR", 1, 9, kCompiler, "script::Interpreter::ExpEvent"},
    // Variable declarations.
    {"DuplicateVariable", "i32 a,\n  a;", "DUPLICATE_DECLARATION", 2, 3, kCompiler,
     "script::Interpreter::TypeDecEvent"},
    {"TypeKeywordAsName", "i32 i32;", "EXPECTING_SYMBOL", 1, 5, kCompiler, "script::Interpreter::TypeDecEvent"},
    {"NumberAsName", "i32 5;", "EXPECTING_SYMBOL", 1, 5, kCompiler, "script::Interpreter::TypeDecEvent"},
    {"EmptyInitialiser", "i32 a = ;", "SYNTAX_ERROR", 1, 9, kCompiler, "script::Interpreter::Append2Op"},
    {"TwoOperandsWithoutOperator", "i32 a = 1 2;", "SYNTAX_ERROR", 1, 11, kCompiler,
     "script::Interpreter::TypeDecNextEvent"},
    // Structs.
    {"DuplicateMember", "struct S {\n  i32 x;\n  i32 x;\n};", "DUPLICATE_DECLARATION", 3, 7, kCompiler,
     "script::Interpreter::CreateMemberDecNode"},
    {"StructWithoutName", "struct { i32 x; };", "EXPECTING_STRUCT_NAME", 1, 8, kCompiler,
     "script::Interpreter::AggregateEvent"},
    {"StructWithoutBrace", "struct S i32 x; };", "SYNTAX_ERROR", 1, 10, kCompiler,
     "script::Interpreter::AggregateBeginEvent"},
    {"TwoReferenceMarks", "struct S { i32 @ @ x; };", "SYNTAX_ERROR", 1, 18, kCompiler,
     "script::Interpreter::AggregateMemberDecEvent"},
    {"BuiltInAsMemberType", "struct S { sizeof x; };", "EXPECTING_TYPE_NAME", 1, 12, kCompiler,
     "script::Interpreter::AggregateBodyEvent"},
    {"UnknownMemberType", "struct S { foo x; };", "UNDEFINED_TYPE", 1, 12, kCompiler,
     "script::Interpreter::AggregateBodyEvent"},
    {"BuiltInAsStructVariable", "struct S { i32 x; } sizeof;", "EXPECTING_VARIABLE_NAME", 1, 21, kCompiler,
     "script::Interpreter::AggregateVarDecEvent"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ExpressionErrorTest, testing::ValuesIn(kCases),
                         test::ByCaseName());

}  // namespace
}  // namespace script
