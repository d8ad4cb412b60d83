#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Variables/CastVariable.h"
#include "Script/Expressions/Variables/ConstVariable.h"
#include "Script/Expressions/Variables/MemberAccess.h"
#include "Script/Expressions/Variables/Reference.h"
#include "Script/Expressions/Variables/SubscriptNode.h"
#include "Script/Memory/Memory.h"
#include "tests/types/RecordingSerializer.h"
#include "tests/types/TypeBuilders.h"

namespace script::test {
namespace {

SourcePosition At(uint32_t symbol, uint32_t line, uint32_t position) { return SourcePosition{symbol, 0, line, position}; }

// The operand's own token and the operator's: the errors name one of them.
const SourcePosition kName = At(100, 3, 5);
const SourcePosition kOperator = At(101, 3, 6);

class VariableCheckTest : public testing::Test {
 protected:
  // Checks a node; on failure returns the error code and fills `at`.
  int32_t Check(Runable& node, SourcePosition* at = nullptr, std::string* function = nullptr) {
    Type* type = nullptr;
    PrePostExpressions* wrapper = nullptr;
    Error error;
    if (node.IsExpression(&type, &wrapper, &error)) {
      checked_ = type;
      return 0;
    }
    if (at != nullptr) *at = error.NodePosition();
    if (function != nullptr) *function = error.Function();
    return error.Code();
  }
  // Gives a node an operator in its left chain, at kOperator.
  static void ApplyOperator(Node& node) { node.SetLeft(new StubNode(TYPE_POST_INC_OP, &node, kOperator)); }

  Memory heap_;
  Type* checked_ = nullptr;
  FunctionRefType functionRef_{At(9, 1, 1), nullptr};
  AggregateType structure_{At(10, 1, 1), nullptr};
  std::unique_ptr<ArrayType> arrayOwner_{MakeArray(new Type(TYPE_I32, SourcePosition{}, nullptr), {4})};
  ArrayType* array_ = arrayOwner_.get();
};

TEST_F(VariableCheckTest, OperatorsOnNamesThatAreNoScalarVariablesAreRejected) {
  struct Case {
    const char* name;
    Type* type;
    bool call;            // a right child
    int32_t code;
    SourcePosition at;
  };
  const Case cases[] = {
      {"++ on a function reference", &functionRef_, false, 91, kOperator},
      {"++ on a call through a function reference", &functionRef_, true, 92, kOperator},
      {"++ on an array", array_, false, 95, kOperator},
      {"++ on a structure", &structure_, false, 94, kName},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Variable variable(kName, nullptr, c.type, 0, 0);
    ApplyOperator(variable);
    if (c.call) variable.SetRight(new StubNode(TYPE_FUNCTION_CALL, &variable));
    SourcePosition at;
    std::string function;
    EXPECT_EQ(c.code, Check(variable, &at, &function));
    EXPECT_EQ(c.at, at);
    EXPECT_EQ("script::Variable::IsExpression", function);
  }

  ConstVariable literal(kName, nullptr);
  ASSERT_TRUE(literal.SetLiteral(BuiltInType(TYPE_UI8), "1", heap_));
  ApplyOperator(literal);
  SourcePosition at;
  EXPECT_EQ(93, Check(literal, &at));
  EXPECT_EQ(kOperator, at);
}

TEST_F(VariableCheckTest, SyntaxErrorsAndTheMissingSubscriptValue) {
  Variable builtInName(At(83, 2, 1), nullptr, &functionRef_, 0, Variable::kNoStorage);
  SourcePosition at;
  EXPECT_EQ(56, Check(builtInName, &at)) << "a built-in function that is not called";
  EXPECT_EQ(At(83, 2, 1), at);

  Variable functionName(At(91, 2, 1), nullptr, &functionRef_, 0, Variable::kNoStorage);
  EXPECT_EQ(0, Check(functionName)) << "a script function's name is a function reference value";
  EXPECT_EQ(&functionRef_, checked_);

  MemberAccess dot(At(54, 2, 3), nullptr);
  std::string function;
  EXPECT_EQ(56, Check(dot, &at, &function));
  EXPECT_EQ("script::MemberAccess::IsExpression", function);

  auto* castType = new FunctionRefType(At(111, 2, 1), nullptr);
  castType->AddEntry(BuiltInType(TYPE_I32), SourcePosition{});
  CastVariable cast(At(111, 2, 1), nullptr, castType);
  EXPECT_EQ(56, Check(cast)) << "a cast without its call";

  Variable a(kName, nullptr, array_, 0, 0);
  auto* subscript = new SubscriptNode(At(49, 2, 7), &a);
  a.SetRight(subscript);
  EXPECT_EQ(51, Check(a, &at, &function));
  EXPECT_EQ(At(49, 2, 7), at);
  EXPECT_EQ("script::SubscriptNode::IsExpression", function);

  Reference marker(At(58, 2, 1), nullptr);
  EXPECT_EQ(4, Check(marker, nullptr, &function));
  EXPECT_EQ("script::Reference::IsExpression", function);
}

TEST_F(VariableCheckTest, TheResultTypeIsThatOfTheLastNodeOfTheChain) {
  Variable scalar(kName, nullptr, BuiltInType(TYPE_UI16), 0, 0);
  EXPECT_EQ(0, Check(scalar));
  EXPECT_EQ(BuiltInType(TYPE_UI16), checked_);

  Variable a(kName, nullptr, array_, 0, 0);
  auto* subscript = new SubscriptNode(At(49, 1, 2), &a);
  a.SetRight(subscript);
  auto* index = new ConstVariable(At(0, 1, 3), subscript);
  ASSERT_TRUE(index->SetLiteral(BuiltInType(TYPE_UI8), "1", heap_));
  subscript->AddIndex(index);
  EXPECT_EQ(0, Check(a));
  EXPECT_EQ(array_->ElementType(), checked_);

  AddMember(structure_, TYPE_DOUBLE, 0, {11});
  ASSERT_TRUE(structure_.ComputeLayout());
  Variable s(kName, nullptr, &structure_, 0, 0);
  auto* dot = new MemberAccess(At(54, 1, 2), &s);
  s.SetRight(dot);
  const auto& member = *static_cast<const Variable*>(structure_.Members()[0]->Items()[0]);
  dot->SetRight(new Variable(At(11, 1, 3), dot, member, 0));
  EXPECT_EQ(0, Check(s));
  EXPECT_EQ(structure_.Members()[0], checked_);
}

TEST_F(VariableCheckTest, SerializationWritesTheOperatorsAroundTheWholeChain) {
  // ++s.m-- : both operators hang on the member variable m.
  Variable s(At(1, 1, 1), nullptr, &structure_, 0, 0);
  auto* dot = new MemberAccess(At(54, 1, 2), &s);
  s.SetRight(dot);
  auto* m = new Variable(At(2, 1, 3), dot, BuiltInType(TYPE_I32), 0, 0);
  dot->SetRight(m);
  auto* pre = new StubNode(TYPE_PRE_INC_OP, m, At(7, 1, 1));
  m->SetLeft(pre);
  pre->SetLeft(new StubNode(TYPE_POST_DEC_OP, pre, At(8, 1, 4)));
  RecordingSerializer text;
  s.Serialize(&text);
  EXPECT_EQ("<2 s7 s1 <54 <2 s2 >2 s8 >2", text.Text());
  EXPECT_EQ(pre, m->Left()) << "the operator chain is reattached";

  // A[i, 2]
  Variable a(At(1, 1, 1), nullptr, array_, 0, 0);
  auto* subscript = new SubscriptNode(At(49, 1, 2), &a);
  a.SetRight(subscript);
  subscript->AddIndex(new Variable(At(3, 1, 3), subscript, BuiltInType(TYPE_I32), 0, 0));
  auto* two = new ConstVariable(At(4, 1, 5), subscript);
  ASSERT_TRUE(two->SetLiteral(BuiltInType(TYPE_UI8), "2", heap_));
  subscript->AddIndex(two);
  RecordingSerializer indices;
  a.Serialize(&indices);
  EXPECT_EQ("<2 s1 <49 <2 s3 >2 <55 <7 s4 >7 >49 >2", indices.Text());
}

}  // namespace
}  // namespace script::test
