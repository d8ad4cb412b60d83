// The compile-time checks of operators, the parenthesis and the statement
// wrapper, the operator factory and the operators' serialization.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/Parenthesis.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Operators/AssignOperators.h"
#include "Script/Expressions/Operators/MathOperator.h"
#include "Script/Expressions/Variables/SubscriptNode.h"
#include "tests/operators/OperatorFixture.h"
#include "tests/types/RecordingSerializer.h"
#include "tests/types/TypeBuilders.h"

namespace script::test {
namespace {

// Variables of slots 0 to 4: ui8, i32, double, string, bool (no frame is needed to check).
class OperatorCheckTest : public OperatorFixture {
 protected:
  static Variable* G(uint32_t slot) {
    static const int32_t kTypes[] = {TYPE_UI8, TYPE_I32, TYPE_DOUBLE, TYPE_STRING, TYPE_BOOL};
    return Var(Basic(kTypes[slot]), slot);
  }
  static Node* Open(Node* inner) {
    auto* parenthesis = new Parenthesis(At(50), nullptr);
    if (inner != nullptr) Hang(parenthesis, inner, false);
    return parenthesis;
  }
  static Node* Closed(Node* inner) {
    auto* parenthesis = static_cast<Parenthesis*>(Open(inner));
    parenthesis->Close();
    return parenthesis;
  }
};

struct CheckCase {
  std::string name;
  std::function<Node*()> tree;
  int32_t code;  // 0: the check passes
  std::string function;
  int32_t resultType = 0;  // the result type's id when the check passes
};

void CheckAll(const std::vector<CheckCase>& cases) {
  for (const CheckCase& c : cases) {
    std::unique_ptr<Node> tree(c.tree());
    Type* type = nullptr;
    PrePostExpressions* wrapper = nullptr;
    Error error;
    const bool passed = tree->IsExpression(&type, &wrapper, &error);
    delete wrapper;
    EXPECT_EQ(c.code == 0, passed) << c.name << ": " << error.Name();
    EXPECT_EQ(c.code, error.Code()) << c.name;
    if (c.code != 0) {
      EXPECT_EQ(c.function, error.Function()) << c.name;
      EXPECT_STREQ("Expressions", error.Module()) << c.name;
    } else {
      ASSERT_NE(nullptr, type) << c.name;
      EXPECT_EQ(c.resultType, type->TypeId()) << c.name;
    }
  }
}

TEST_F(OperatorCheckTest, TwoOperandOperatorsAndCompoundAssignments) {
  const std::string math = "script::MathOperator::IsExpression";
  const std::string compound = "script::MathAssignOperator::IsExpression";
  CheckAll({
      {"+ without left", [] { return Op(TYPE_ADD, nullptr, G(1)); }, 84, math},
      {"+ without right", [] { return Op(TYPE_ADD, G(1), nullptr); }, 85, math},
      {"ui8 + i32", [] { return Op(TYPE_ADD, G(0), G(1)); }, 0, "", TYPE_UI8},
      {"string + double", [] { return Op(TYPE_ADD, G(3), G(2)); }, 0, "", TYPE_STRING},
      {"i32 + string", [] { return Op(TYPE_ADD, G(1), G(3)); }, 91, math},
      {"bool + bool", [] { return Op(TYPE_ADD, G(4), G(4)); }, 91, math},
      {"string - i32", [] { return Op(TYPE_SUB, G(3), G(1)); }, 91, math},
      {"double % i32", [] { return Op(TYPE_MOD, G(2), G(1)); }, 91, math},
      {"i32 << double", [] { return Op(TYPE_SHIFT_LEFT, G(1), G(2)); }, 91, math},
      {"bool ^ bool", [] { return Op(TYPE_XOR, G(4), G(4)); }, 0, "", TYPE_BOOL},
      {"bool ^ i32", [] { return Op(TYPE_XOR, G(4), G(1)); }, 91, math},
      {"string < string", [] { return Op(TYPE_LESS, G(3), G(3)); }, 0, "", TYPE_BOOL},
      {"i32 && string", [] { return Op(TYPE_AND, G(1), G(3)); }, 0, "", TYPE_BOOL},
      {"failing operand first", [] { return Op(TYPE_SUB, Op(TYPE_ADD, nullptr, G(1)), G(3)); }, 84, math},
      {"+= without right", [] { return Op(TYPE_ADD_ASSIGN, G(1), nullptr); }, 85, compound},
      {"ui8 -= double", [] { return Op(TYPE_SUB_ASSIGN, G(0), G(2)); }, 0, "", TYPE_UI8},
      {"string *= i32", [] { return Op(TYPE_MUL_ASSIGN, G(3), G(1)); }, 91, compound},
      {"ui8 |= ui8 < ui8 is bool", [] { return Op(TYPE_BIT_OR_ASSIGN, G(0), Op(TYPE_LESS, G(0), G(0))); }, 91,
       compound},
  });
}

TEST_F(OperatorCheckTest, Assignments) {
  const std::string assign = "script::OperatorAssign::IsExpression";
  const std::string rebind = "script::OperatorRefAssign::IsExpression";
  CheckAll({
      {"= to a parenthesis", [] { return Op(TYPE_ASSIGN, Closed(G(1)), G(1)); }, 82, assign},
      {"= without right", [] { return Op(TYPE_ASSIGN, G(1), nullptr); }, 83, assign},
      {"= to a literal", [] { return Op(TYPE_ASSIGN, Literal(TYPE_UI8, "1"), G(1)); }, 86, assign},
      {"i32 = string", [] { return Op(TYPE_ASSIGN, G(1), G(3)); }, 88, assign},
      {"i32 = bool", [] { return Op(TYPE_ASSIGN, G(1), G(4)); }, 0, "", TYPE_I32},
      {"string = double", [] { return Op(TYPE_ASSIGN, G(3), G(2)); }, 0, "", TYPE_STRING},
      {"bool = string", [] { return Op(TYPE_ASSIGN, G(4), G(3)); }, 0, "", TYPE_BOOL},
      {"@= without left", [] { return Op(TYPE_REF_ASSIGN, nullptr, G(1)); }, 98, rebind},
      {"@= without right", [] { return Op(TYPE_REF_ASSIGN, G(1), nullptr); }, 100, rebind},
      {"@= to a parenthesis", [] { return Op(TYPE_REF_ASSIGN, Closed(G(1)), G(1)); }, 99, rebind},
      {"@= to a literal", [] { return Op(TYPE_REF_ASSIGN, Literal(TYPE_UI8, "1"), G(0)); }, 86, rebind},
      {"i32 @= double", [] { return Op(TYPE_REF_ASSIGN, G(1), G(2)); }, 88, rebind},
      {"i32 @= i32", [] { return Op(TYPE_REF_ASSIGN, G(1), G(1)); }, 0, "", TYPE_I32},
  });
}

TEST_F(OperatorCheckTest, ByteArraysAndStringsAssignBothWays) {
  ArrayType* bytes = Keep(MakeArray(new Type(TYPE_UI8, {}, nullptr), {4}));
  ArrayType* dynamic = Keep(MakeArray(new Type(TYPE_UI8, {}, nullptr), {}));
  ArrayType* words = Keep(MakeArray(new Type(TYPE_I32, {}, nullptr), {4}));
  OperatorAssign assign(At(10), nullptr);
  const Type* string = Basic(TYPE_STRING);
  EXPECT_TRUE(assign.IsTypeAllowed(string, bytes));
  EXPECT_TRUE(assign.IsTypeAllowed(bytes, string));
  EXPECT_FALSE(assign.IsTypeAllowed(string, dynamic)) << "a dynamic array has no fixed size";
  EXPECT_FALSE(assign.IsTypeAllowed(words, string));
  EXPECT_FALSE(assign.IsTypeAllowed(string, words));
  EXPECT_TRUE(assign.IsTypeAllowed(words, words));
}

TEST_F(OperatorCheckTest, OneOperandOperatorsAndTheParenthesis) {
  CheckAll({
      {"! without operand", [] { return Op(TYPE_NOT, nullptr, nullptr); }, 84, "script::OperatorNot::IsExpression"},
      {"! string", [] { return Op(TYPE_NOT, nullptr, G(3)); }, 0, "", TYPE_BOOL},
      {"~ without operand", [] { return Op(TYPE_BIT_NOT, nullptr, nullptr); }, 84,
       "script::OperatorBitNot::IsExpression"},
      {"~ double", [] { return Op(TYPE_BIT_NOT, nullptr, G(2)); }, 91, "script::OperatorBitNot::IsExpression"},
      {"~ ui8", [] { return Op(TYPE_BIT_NOT, nullptr, G(0)); }, 0, "", TYPE_UI8},
      {"open parenthesis", [] { return Open(G(1)); }, 89, "script::Parenthesis::IsExpression"},
      {"empty parenthesis", [] { return Closed(nullptr); }, 90, "script::Parenthesis::IsExpression"},
      {"(i32)", [] { return Closed(G(1)); }, 0, "", TYPE_I32},
      {"(ui8 < i32)", [] { return Closed(Op(TYPE_LESS, G(0), G(1))); }, 0, "", TYPE_BOOL},
  });
}

TEST_F(OperatorCheckTest, IncrementsCheckTheirVariable) {
  const std::string step = "script::OperatorPrePost::IsExpression";
  ArrayType* bytes = Keep(MakeArray(new Type(TYPE_UI8, {}, nullptr), {4}));
  CheckAll({
      {"double++", [] { return Step(TYPE_POST_INC_OP, G(2)); }, 91, step},
      {"--string", [] { return Step(TYPE_PRE_DEC_OP, G(3)); }, 91, step},
      {"bool++", [] { return Step(TYPE_POST_INC_OP, G(4)); }, 91, step},
      {"++i32++", [] { return Step(TYPE_POST_INC_OP, Step(TYPE_PRE_INC_OP, G(1))); }, 0, "", TYPE_I32},
      {"element++",
       [bytes] {
         Variable* array = Var(bytes, 5);
         auto* subscript = new SubscriptNode(At(49), nullptr);
         subscript->AddIndex(Literal(TYPE_UI8, "1"));
         Hang(array, subscript, false);
         Hang(subscript, CreateOperatorNode(TYPE_POST_INC_OP, At(16), nullptr), true);
         return array;
       },
       95, step},
  });
}

TEST_F(OperatorCheckTest, IncrementsRegisterWithOneWrapperPerStatement) {
  // i32 = --ui8 + i32++ - i32--
  Node* decremented = Step(TYPE_PRE_DEC_OP, G(0));
  std::unique_ptr<Node> statement(Op(
      TYPE_ASSIGN, G(1),
      Op(TYPE_SUB, Op(TYPE_ADD, decremented, Step(TYPE_POST_INC_OP, G(1))), Step(TYPE_POST_DEC_OP, G(1)))));
  Type* type = nullptr;
  PrePostExpressions* wrapper = nullptr;
  Error error;
  ASSERT_TRUE(statement->IsExpression(&type, &wrapper, &error)) << error.Name();
  ASSERT_NE(nullptr, wrapper);
  EXPECT_EQ(std::vector<Node*>{decremented->Left()}, wrapper->PreOperators());
  ASSERT_EQ(2u, wrapper->PostOperators().size());
  EXPECT_EQ(TYPE_POST_INC_OP, wrapper->PostOperators()[0]->TypeId());
  EXPECT_EQ(TYPE_POST_DEC_OP, wrapper->PostOperators()[1]->TypeId());
  EXPECT_EQ(decremented->Left()->Position().symbol, wrapper->Position().symbol)
      << "the wrapper takes the position of the first registering operator";

  // The wrapper writes the statement and nothing of its own.
  RecordingSerializer plain;
  statement->Serialize(&plain);
  wrapper->Wrap(statement.release());
  std::unique_ptr<Node> owner(wrapper);
  RecordingSerializer wrapped;
  wrapper->Serialize(&wrapped);
  EXPECT_EQ(plain.Text(), wrapped.Text());

  PrePostExpressions* none = nullptr;
  std::unique_ptr<Node> plainStatement(Op(TYPE_ASSIGN, G(1), G(0)));
  ASSERT_TRUE(plainStatement->IsExpression(&type, &none, &error));
  EXPECT_EQ(nullptr, none) << "a statement without increments needs no wrapper";
}

TEST_F(OperatorCheckTest, TheFactoryCreatesEveryOperatorClass) {
  const std::vector<int32_t> ids = {10, 11, 12, 13, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                                    29, 30, 32, 33, 34, 36, 37, 38, 39, 40, 41, 42, 44, 45, 46, 47, 48};
  for (int32_t id : ids) {
    std::unique_ptr<Node> node(CreateOperatorNode(id, At(id), nullptr));
    ASSERT_NE(nullptr, node) << id;
    EXPECT_EQ(id, node->TypeId());
    EXPECT_TRUE(node->IsKindOf(TYPE_OPERATOR)) << id;
  }
  for (int32_t id : {0, 9, 14, 19, 31, 35, 43, 49, 54, 69}) {
    EXPECT_EQ(nullptr, CreateOperatorNode(id, At(id), nullptr)) << id;
  }
  std::unique_ptr<Node> add(CreateOperatorNode(TYPE_ADD_ASSIGN, At(1), nullptr));
  EXPECT_EQ(&ops::Add, static_cast<MathOperator*>(add.get())->Operation());
}

TEST_F(OperatorCheckTest, OperatorsWriteTheirSymbolBetweenBlanks) {
  std::unique_ptr<Node> less(Op(TYPE_LESS, Literal(TYPE_UI8, "1"), Closed(Literal(TYPE_UI8, "2"))));
  RecordingSerializer writer;
  less->Serialize(&writer);
  const std::string text = writer.Text();
  EXPECT_NE(std::string::npos, text.find("<96 s28 <96 <50")) << text;
  EXPECT_EQ(std::string::npos, text.find("<28")) << "no stray \"<\" token: " << text;
  EXPECT_EQ(std::string::npos, text.find(">28")) << text;
  EXPECT_EQ(">50", text.substr(text.size() - 3)) << text;

  std::unique_ptr<Node> negation(Op(TYPE_NOT, nullptr, Literal(TYPE_UI8, "2")));
  RecordingSerializer unary;
  negation->Serialize(&unary);
  EXPECT_EQ(0u, unary.Text().find("<96 s44 <96")) << unary.Text();
}

}  // namespace
}  // namespace script::test
