// Compile errors of function declarations, function references, calls,
// casts and returns, each with its exact report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Script/Script/ScriptRunner.h"
#include "tests/support/NamedCase.h"
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
void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class FunctionDeclarationErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(FunctionDeclarationErrorTest, ReportsExactly) {
  const ErrorCase& c = GetParam();
  test::TempDir dir;
  const std::string path = dir.Write("main.kelvra", std::string(c.script) + "\n");
  test::CaptureSink sink;
  ScriptRunner runner(path, &sink);
  EXPECT_FALSE(runner.Load());
  const std::vector<std::string> expected = {
      std::string("ERROR: ") + c.error + " in \"" + path + "\", line: 1, pos: " + std::to_string(c.position),
      std::string("INTERNAL: ") + c.internal};
  EXPECT_EQ(expected, test::WithoutEngineLines(sink.Lines(CHANNEL_BUILD)));
}

const ErrorCase kCases[] = {
    {"DuplicateArgumentName", "function i32 f(i32 a, i32 a) { }",
     "DUPLICATE_ARGUMENT_NAME", 27, "Compiler(N): script::Interpreter::FunctionArgEvent"},
    {"FunctionInsideABlock", "{ function i32 f() { } }",
     "FUNCTION_DEFINITION_MUST_BE_GLOBAL", 16, "Compiler(N): script::Interpreter::FunctionNameEvent"},
    {"SecondDefinition", "function i32 f() { } function i32 f() { }",
     "DUPLICATE_FUNCTION_DEFINITION", 35, "Compiler(N): script::Interpreter::FunctionNameEvent"},
    {"FunctionNamedLikeAVariable", "i32 x; function i32 x() { }",
     "DUPLICATE_FUNCTION_DEFINITION", 21, "Compiler(N): script::Interpreter::FunctionNameEvent"},
    {"VariableNamedLikeAFunction", "function i32 f() { } i32 f;",
     "DUPLICATE_DECLARATION", 26, "Compiler(N): script::Interpreter::TypeDecEvent"},
    {"LocalNamedLikeAParameter", "function i32 f(i32 a) { i32 a; }", "DUPLICATE_DECLARATION", 29,
     "Compiler(N): script::Interpreter::TypeDecEvent"},
    {"BuiltInNameAsFunctionName", "function i32 sizeof() { }",
     "SYNTAX_ERROR", 14, "Compiler(N): script::Interpreter::FunctionNameEvent"},
    {"SecondReferenceMarkOnTheReturnType", "function i32 @ @ f() { }",
     "SYNTAX_ERROR", 16, "Compiler(N): script::Interpreter::FunctionNameEvent"},
    {"UnknownReturnType", "function nope f() { }",
     "UNDEFINED_TYPE", 10, "Compiler(N): script::Interpreter::FunctionTypeEventHandler"},
    {"MissingArgumentList", "function i32 f { }",
     "EXPECTING_PARENTHESIS", 16, "Compiler(N): script::Interpreter::FunctionDecEvent"},
    {"ArgumentWithoutName", "function i32 f(i32) { }",
     "SYNTAX_ERROR", 19, "Compiler(N): script::Interpreter::FunctionArgEvent"},
    {"TypeMissingAfterComma", "function i32 f(i32 a,) { }",
     "SYNTAX_ERROR", 22, "Compiler(N): script::Interpreter::FunctionTypeEventHandler"},
    {"BuiltInNameAsArgumentType", "function i32 f(sizeof a) { }",
     "EXPECTING_TYPE_NAME", 16, "Compiler(N): script::Interpreter::FunctionTypeEventHandler"},
    {"BuiltInNameAsArgumentName", "function i32 f(i32 sizeof) { }",
     "EXPECTING_VARIABLE_NAME", 20, "Compiler(N): script::Interpreter::FunctionArgEvent"},
    {"NumberAsArgumentName", "function i32 f(i32 5) { }",
     "UNEXPECTED_CHARACTER", 20, "Compiler(N): script::Interpreter::FunctionArgEvent"},
    {"ThirdReferenceMarkOnAnArgument", "function i32 f(i32@@@ a) { }",
     "SYNTAX_ERROR", 21, "Compiler(N): script::Interpreter::FunctionArgEvent"},
    {"ArgumentListNotClosed", "function i32 f(i32 a; { }",
     "SYNTAX_ERROR", 21, "Compiler(N): script::Interpreter::FunctionNextArgEvent"},
    {"BodyWithoutBrace", "function i32 f() return 1;",
     "UNEXPECTED_CHARACTER", 18, "Compiler(N): script::Interpreter::FunctionBodyEvent"},
    {"ReferenceTypeOfAnUnknownFunction", "function<g> r;",
     "UNDEFINED_FUNCTION", 10, "Compiler(N): script::Interpreter::FunctionBeginRefDecEvent"},
    {"ReferenceTypeOfANumber", "function<5> r;",
     "EXPECTING_FUNCTION_REF_TYPE", 10, "Compiler(N): script::Interpreter::FunctionBeginRefDecEvent"},
    {"ReferenceTypeNotClosed", "function i32 f() { } function<f) r;",
     "SYNTAX_ERROR", 32, "Compiler(N): script::Interpreter::FunctionEndRefDecEvent"},
    {"FunctionDefinitionInAStruct", "struct S { function i32 f; };",
     "UNEXPECTED_FUNCTION_DEFINITION", 21, "Compiler(N): script::Interpreter::AggregateFunctionTypeEvent"},
    {"ReturnAtTheTopLevel", "return;",
     "UNEXPECTED_RETURN", 1, "Compiler(N): script::Interpreter::BeginScopeExpression"},
    {"ReturnOfAKeyword", "function i32 f() { return if; }",
     "SYNTAX_ERROR", 27, "Compiler(N): script::Interpreter::ReturnEvent"},
    {"ReturnOfAStructFromANumber", "struct S { i32 v; }; function S g() { return 1; }",
     "TYPES_MISMATCHED", 39, "Expressions(N): script::Return::IsExpression"},
    {"ReferenceReturnOfAConstant", "function i32@ g() { return 5; }",
     "CANNOT_RETURN_REFERENCE_TO_CONST", 21, "Expressions(N): script::Return::IsExpression"},
    {"ConstantPassedByReference", "function i32 f(i32@ a) { return a; } i32 y = f(5);",
     "CANNOT_PASS_CONST_BY_REFERENCE_ARG_0", 47, "Expressions(N): script::FunctionCall::IsExpression"},
    {"TooManyArguments", "function i32 f(i32 a) { return a; } i32 y = f(1, 2);",
     "UNEXPECTED_NUMBER_OF_ARGUMENTS", 46, "Expressions(N): script::FunctionCall::IsExpression"},
    {"TooFewArguments", "function i32 f(i32 a) { return a; } i32 y = f();",
     "UNEXPECTED_NUMBER_OF_ARGUMENTS", 46, "Expressions(N): script::FunctionCall::IsExpression"},
    {"StructPassedForAString", "function i32 f(i32 n, string a) { return 1; } struct S { i32 v; }; S s; i32 y = f(1, s);",
     "TYPES_MISMATCHED_ARG_1", 82, "Expressions(N): script::FunctionCall::IsExpression"},
    {"ReferenceOfAnotherWidth", "function i32 f(i32@ a) { return a; } i8 b; i32 y = f(b);",
     "TYPES_MISMATCHED_ARG_0", 53, "Expressions(N): script::FunctionCall::IsExpression"},
    {"ReferenceToReferenceOfAnExpression", "function i32 f(i32@@ a) { return a; } i32 y = f(1 + 2);",
     "CANNOT_PASS_REFERENCE_TO_REFERENCE_OF_EXPRESSION_RESULT_ARG_0", 48, "Expressions(N): script::FunctionCall::IsExpression"},
    {"ReferenceToReferenceOfACallResult", "function i32 f(i32@@ a) { return a; } function i32 g() { return 1; } i32 y = f(g());",
     "CANNOT_PASS_REFERENCE_TO_REFERENCE_OF_FUNCTION_RETURN_ARG_0", 79, "Expressions(N): script::FunctionCall::IsExpression"},
    {"ReferenceToReferenceOfAMember", "function i32 f(i32@@ a) { return a; } struct S { i32 v; }; S s; i32 y = f(s.v);",
     "CANNOT_PASS_MEMBER_AS_REFERENCE_TO_REFERENCE_ARG_0", 74, "Expressions(N): script::FunctionCall::IsExpression"},
    {"SizeofWithTwoArguments", "i32 a; i32 y = sizeof(a, a);",
     "UNEXPECTED_NUMBER_OF_ARGUMENTS", 24, "Compiler(N): script::Interpreter::FunctionCallArgEvent"},
    {"SizeofOfANumber", "i32 y = sizeof(5);",
     "EXPECTING_VARIABLE_NAME", 16, "Compiler(N): script::Interpreter::FunctionCallArgEvent"},
    {"LockWithTwoArguments", "i32 a; i32 y = lock(a, a);",
     "EXPECTING_SINGLE_ARGUMENT", 20, "Expressions(N): script::FunctionCall::IsExpression"},
    {"CastToString", "i32 y = cast<string>(5);",
     "CANNOT_TYPECAST_TO_STRING", 21, "Expressions(N): script::FunctionCall::IsExpression"},
    {"CastOfAString", "string s; i32 y = cast<i32>(s);",
     "OPERATOR_NOT_ALLOWED_ON_TYPE", 28, "Expressions(N): script::FunctionCall::IsExpression"},
    {"CastToAStructHoldingAString", "struct S { string t; }; i32 v; S y = cast<S>(v);",
     "OPERATOR_NOT_ALLOWED_ON_TYPE", 45, "Expressions(N): script::FunctionCall::IsExpression"},
    {"CastOfAStructWithAReferenceMember", "struct S { i32@ r; }; S s; i32 y = cast<i32>(s);",
     "OPERATOR_NOT_ALLOWED_ON_TYPE", 45, "Expressions(N): script::FunctionCall::IsExpression"},
    {"Arr2strOfAnI32Array", "array<i32, 2> a; string t = arr2str(a);",
     "TYPES_MISMATCHED_ARG_0", 36, "Expressions(N): script::FunctionCall::IsExpression"},
    {"Str2arrWithTwoArguments", "string s; array<ui8, 4> a = str2arr(s, s);",
     "UNEXPECTED_NUMBER_OF_ARGUMENTS", 36, "Expressions(N): script::FunctionCall::IsExpression"},
    {"CastWithoutTypeList", "i32 y = cast i32;",
     "SYNTAX_ERROR", 14, "Compiler(N): script::Interpreter::CastOpenTypeExpression"},
    {"CastToAnUnknownType", "i32 y = cast<nope>(5);",
     "UNDEFINED_TYPE", 14, "Compiler(N): script::Interpreter::CastBeginTypeExpression"},
    {"CastToANumber", "i32 y = cast<5>(5);",
     "EXPECTING_TYPE_NAME", 14, "Compiler(N): script::Interpreter::CastBeginTypeExpression"},
    {"CastToAnUnknownFunctionReference", "function i32 f() { } i32 y = cast<function<g>>(5);",
     "UNDEFINED_FUNCTION", 44, "Compiler(N): script::Interpreter::CastFunctionTypeEvent"},
    {"CastTypeListNotClosed", "function i32 f() { } i32 y = cast<function<f)(5);",
     "SYNTAX_ERROR", 45, "Compiler(N): script::Interpreter::CastEndFunctionTypeEvent"},
    {"CallOfAnUndeclaredName", "i32 y = f(1);",
     "UNDEFINED_SYMBOL", 9, "Compiler(N): script::Interpreter::CreateVariableNode"},
    {"CallOfANumberVariable", "i32 x; i32 y = x(1);",
     "SYNTAX_ERROR", 17, "Compiler(N): script::Interpreter::FunctionCallEvent"},
    {"ArgumentListEndsAtASemicolon", "function i32 f(i32 a) { return a; } i32 y = f(1;",
     "SYNTAX_ERROR", 48, "Compiler(N): script::Interpreter::ExpEvent"},
    {"ArgumentMissingAfterComma", "function i32 f(i32 a) { return a; } i32 y = f(1,);",
     "SYNTAX_ERROR", 49, "Compiler(N): script::Interpreter::FunctionCallArgEvent"},
    {"AssignmentToAFunctionName", "function i32 f() { return 1; } function i32 g() { return 2; } f = g;",
     "LEFT_VALUE_CANNOT_BE_CONST", 65, "Expressions(N): script::OperatorAssign::IsExpression"},
    {"IncrementOfACallResult", "function i32 f() { return 1; } f()++;",
     "OPERATOR_NOT_ALLOWED_ON_FUNCTION_CALL", 35, "Compiler(N): script::Interpreter::ExpEvent"},
};

INSTANTIATE_TEST_SUITE_P(Functions, FunctionDeclarationErrorTest, testing::ValuesIn(kCases),
                         test::ByCaseName());

}  // namespace
}  // namespace script
