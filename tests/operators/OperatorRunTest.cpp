// Running operator trees: results, runtime errors, assignments writing
// through references, and the statement wrapper of increments.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/Parenthesis.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Variables/MemberAccess.h"
#include "tests/operators/OperatorFixture.h"
#include "tests/types/TypeBuilders.h"
#include "tests/values/ValueBuilders.h"

namespace script::test {
namespace {

// Globals: 0 ui8 200, 1 i32 100, 2 double 2.5, 3 string "ab", 4 i8 -1, 5 ui8 5.
class OperatorRunTest : public OperatorFixture {
 protected:
  void SetUp() override {
    PushGlobals({Basic(TYPE_UI8), Basic(TYPE_I32), Basic(TYPE_DOUBLE), Basic(TYPE_STRING), Basic(TYPE_I8),
                 Basic(TYPE_UI8)});
    SetGlobal(0, UI8(200));
    SetGlobal(1, I32(100));
    SetGlobal(2, Double(2.5));
    SetGlobal(3, Str(heap_, "ab"));
    SetGlobal(4, I8(-1));
    SetGlobal(5, UI8(5));
  }
  static Variable* G(uint32_t slot) {
    static const int32_t kTypes[] = {TYPE_UI8, TYPE_I32, TYPE_DOUBLE, TYPE_STRING, TYPE_I8, TYPE_UI8};
    return Var(Basic(kTypes[slot]), slot);
  }
  std::vector<std::string> Globals() {
    std::vector<std::string> texts;
    for (uint32_t slot = 0; slot < 6; ++slot) texts.push_back(GlobalText(slot));
    return texts;
  }
};

TEST_F(OperatorRunTest, TwoOperandOperatorsComputeIntoAValueOfTheirOwn) {
  struct Case {
    int32_t id;
    uint32_t left, right;
    std::string text;
    uint32_t kind;
  };
  const std::vector<Case> cases = {
      {TYPE_ADD, 0, 1, "44", KIND_UI8},          {TYPE_ADD, 1, 2, "102", KIND_I32},
      {TYPE_ADD, 2, 1, "102.5", KIND_DOUBLE},    {TYPE_ADD, 3, 5, "ab5", KIND_STRING},
      {TYPE_SUB, 5, 0, "61", KIND_UI8},          {TYPE_MUL, 4, 0, "56", KIND_I8},
      {TYPE_SHIFT_LEFT, 5, 5, "160", KIND_UI8},  {TYPE_GREATER, 4, 5, "false", KIND_BOOL},
      {TYPE_GREATER, 5, 4, "false", KIND_BOOL},  {TYPE_LESS_EQ, 4, 5, "true", KIND_BOOL},
      {TYPE_NOT_EQ, 1, 2, "true", KIND_BOOL},    {TYPE_AND, 3, 4, "true", KIND_BOOL},
      {TYPE_OR, 1, 3, "true", KIND_BOOL},        {TYPE_XOR, 0, 5, "205", KIND_UI8},
  };
  const std::vector<std::string> before = Globals();
  for (const Case& c : cases) {
    std::unique_ptr<Node> tree(Op(c.id, G(c.left), G(c.right)));
    Value result;
    ASSERT_EQ(RUN_OK, Run(*tree, result)) << NodeTypeName(c.id);
    EXPECT_EQ(c.text, result.ToText()) << NodeTypeName(c.id) << " " << c.left << " " << c.right;
    EXPECT_EQ(c.kind, result.Kind()) << NodeTypeName(c.id);
  }
  EXPECT_EQ(before, Globals()) << "operators do not change their operands";
}

TEST_F(OperatorRunTest, FailuresAreRuntimeErrorsAtTheOperator) {
  struct Case {
    std::string name;
    std::function<Node*()> tree;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"i32 / 0", [] { return Op(TYPE_DIV, G(1), Literal(TYPE_UI8, "0")); }, "Division by zero"},
      {"double / 0.0", [] { return Op(TYPE_DIV, G(2), Literal(TYPE_DOUBLE, "0.0")); }, "Division by zero"},
      {"i32 % 0", [] { return Op(TYPE_MOD, G(1), Literal(TYPE_UI8, "0")); }, "Division by zero"},
      {"string == string", [] { return Op(TYPE_EQ, G(3), G(3)); }, "Runtime error: 146"},
      {"string - ui8", [] { return Op(TYPE_SUB, G(3), G(0)); }, "Runtime error: 146"},
      {"i32 + letters", [] { return Op(TYPE_ADD, G(1), Literal(TYPE_STRING, "abc")); },
       "cannot convert \"abc\" to i32: not a number"},
      {"left without value", [] { return Op(TYPE_ADD, new StubNode(TYPE_DOT), G(1)); }, "Left value is NULL!"},
      {"right without value", [] { return Op(TYPE_ADD, G(1), new StubNode(TYPE_DOT)); }, "Right value is NULL!"},
      {"! without value", [] { return Op(TYPE_NOT, nullptr, new StubNode(TYPE_DOT)); }, "Value is NULL!"},
      {"~ of a double", [] { return Op(TYPE_BIT_NOT, nullptr, G(2)); }, "INCOMPATIBLE_TYPE"},
      {"i8 = letters", [] { return Op(TYPE_ASSIGN, G(4), Literal(TYPE_STRING, "x")); },
       "cannot convert \"x\" to i8: not a number"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<Node> tree(c.tree());
    Value result;
    EXPECT_EQ(RUN_ERROR, Run(*tree, result)) << c.name;
    EXPECT_EQ(c.message, LastError().message) << c.name;
    EXPECT_EQ(3u, LastError().position.line) << c.name;
    EXPECT_EQ(7u, LastError().position.position) << c.name << ": reported at the operator";
  }
  EXPECT_EQ("-1", GlobalText(4)) << "a failed assignment leaves the variable";
}

TEST_F(OperatorRunTest, SmallestValueDividedByMinusOneWraps) {
  SetGlobal(1, I32(std::numeric_limits<int32_t>::min()));
  for (int32_t id : {TYPE_DIV, TYPE_MOD}) {
    std::unique_ptr<Node> tree(Op(id, G(1), Literal(TYPE_I8, "-1")));
    Value result;
    ASSERT_EQ(RUN_OK, Run(*tree, result));
    EXPECT_EQ(id == TYPE_DIV ? "-2147483648" : "0", result.ToText());
  }
}

TEST_F(OperatorRunTest, LogicalOperatorsEvaluateBothOperands) {
  // (i32 0 && (i8 = 7)) still assigns.
  SetGlobal(1, I32(0));
  std::unique_ptr<Node> tree(Op(TYPE_AND, G(1), Op(TYPE_ASSIGN, G(4), Literal(TYPE_UI8, "7"))));
  Value result;
  ASSERT_EQ(RUN_OK, Run(*tree, result));
  EXPECT_EQ("false", result.ToText());
  EXPECT_EQ("7", GlobalText(4));
}

TEST_F(OperatorRunTest, AssignmentsChainAndLeaveTheVariableAsTheResult) {
  // ui8 = i32 = 300: the right side runs first, each assignment converts.
  std::unique_ptr<Node> tree(Op(TYPE_ASSIGN, G(0), Op(TYPE_ASSIGN, G(1), Literal(TYPE_UI16, "300"))));
  Value result;
  ASSERT_EQ(RUN_OK, Run(*tree, result));
  EXPECT_EQ("300", GlobalText(1));
  EXPECT_EQ("44", GlobalText(0));
  EXPECT_EQ(thread_.GetSlot(Global(0)), result.Ref()) << "the result refers to the assigned variable";

  std::unique_ptr<Node> text(Op(TYPE_ASSIGN, G(3), G(2)));
  ASSERT_EQ(RUN_OK, Run(*text, result));
  EXPECT_EQ("2.5", GlobalText(3));
}

TEST_F(OperatorRunTest, CompoundAssignmentsStoreTheOutcomeBack) {
  struct Case {
    int32_t id;
    uint32_t slot;
    Node* right;
    std::string text;
  };
  const std::vector<Case> cases = {
      {TYPE_ADD_ASSIGN, 0, Literal(TYPE_UI8, "60"), "4"},
      {TYPE_ADD_ASSIGN, 3, Literal(TYPE_UI8, "1"), "ab1"},
      {TYPE_SUB_ASSIGN, 1, G(2), "98"},
      {TYPE_XOR_ASSIGN, 5, Literal(TYPE_UI8, "1"), "4"},
      {TYPE_MOD_ASSIGN, 4, Literal(TYPE_UI8, "1"), "0"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<Node> tree(Op(c.id, G(c.slot), c.right));
    Value result;
    ASSERT_EQ(RUN_OK, Run(*tree, result)) << NodeTypeName(c.id);
    EXPECT_EQ(c.text, GlobalText(c.slot)) << NodeTypeName(c.id);
  }
  std::unique_ptr<Node> byZero(Op(TYPE_DIV_ASSIGN, G(1), Literal(TYPE_UI8, "0")));
  Value result;
  EXPECT_EQ(RUN_ERROR, Run(*byZero, result));
  EXPECT_EQ("Division by zero", LastError().message);
  EXPECT_EQ("98", GlobalText(1));
}

TEST_F(OperatorRunTest, NotAndBitNotReadTheirOperand) {
  struct Case {
    Node* tree;
    std::string text;
  };
  const std::vector<Case> cases = {
      {Op(TYPE_NOT, nullptr, Literal(TYPE_STRING, "0")), "false"},
      {Op(TYPE_NOT, nullptr, Literal(TYPE_STRING, "")), "true"},
      {Op(TYPE_NOT, nullptr, Literal(TYPE_DOUBLE, "0.5")), "true"},
      {Op(TYPE_BIT_NOT, nullptr, G(5)), "250"},
      {Op(TYPE_ASSIGN, G(1), Op(TYPE_BIT_NOT, nullptr, G(4))), "0"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<Node> tree(c.tree);
    Value result;
    ASSERT_EQ(RUN_OK, Run(*tree, result));
    EXPECT_EQ(c.text, result.ToText());
  }
  EXPECT_EQ("5", GlobalText(5));
  EXPECT_EQ("-1", GlobalText(4)) << "y = ~x leaves x";
}

TEST_F(OperatorRunTest, PreOperatorsRunBeforeTheStatementAndPostOperatorsAfter) {
  // i32 y = ui8 x++ + ++x, with x = 1.
  SetGlobal(0, UI8(1));
  Node* statement = Op(TYPE_ASSIGN, G(1), Op(TYPE_ADD, Step(TYPE_POST_INC_OP, G(0)), Step(TYPE_PRE_INC_OP, G(0))));
  Type* type = nullptr;
  PrePostExpressions* wrapper = nullptr;
  Error error;
  ASSERT_TRUE(statement->IsExpression(&type, &wrapper, &error)) << error.Name();
  ASSERT_NE(nullptr, wrapper);
  EXPECT_EQ(1u, wrapper->PreOperators().size());
  EXPECT_EQ(1u, wrapper->PostOperators().size());
  wrapper->Wrap(statement);
  std::unique_ptr<Node> owner(wrapper);
  EXPECT_EQ(wrapper, statement->Parent());

  Value result;
  ASSERT_EQ(RUN_OK, Run(*wrapper, result));
  EXPECT_EQ("4", GlobalText(1));
  EXPECT_EQ("3", GlobalText(0));
}

TEST_F(OperatorRunTest, StepsWrapAroundAtTheVariableWidth) {
  SetGlobal(0, UI8(0));
  SetGlobal(4, I8(127));
  for (auto [id, slot, text] : {std::tuple{TYPE_POST_DEC_OP, 0u, "255"}, std::tuple{TYPE_PRE_INC_OP, 4u, "-128"}}) {
    std::unique_ptr<Node> variable(Step(id, G(slot)));
    ExecContext context = Context(nullptr);
    ASSERT_EQ(RUN_OK, variable->Left()->Run(&context)) << "run by the wrapper, with no value wanted";
    EXPECT_EQ(text, GlobalText(slot));
  }
}

TEST_F(OperatorRunTest, ParenthesisRunsItsExpression) {
  auto* parenthesis = new Parenthesis(At(50), nullptr);
  Hang(parenthesis, Op(TYPE_ADD, G(5), G(5)), false);
  std::unique_ptr<Node> tree(Op(TYPE_MUL, parenthesis, G(5)));
  Value result;
  ASSERT_EQ(RUN_OK, Run(*tree, result));
  EXPECT_EQ("50", result.ToText());
}

// Globals: 0 struct S { i32@ r; } s, 1 i32 b, 2 i32 c, 3 the member's binding slot.
class ReferenceAssignmentTest : public OperatorFixture {
 protected:
  void SetUp() override {
    structure_ = Keep(new AggregateType(At(30), nullptr));
    AddMember(*structure_, TYPE_I32, 1, {31});
    ASSERT_TRUE(structure_->ComputeLayout());
    PushGlobals({structure_, Basic(TYPE_I32), Basic(TYPE_I32), Basic(TYPE_I32)});
  }
  const Variable& Member() const {
    return *static_cast<const Variable*>(structure_->Members().at(0)->Items().at(0));
  }
  // s.r
  Variable* MemberR() {
    auto* s = Var(structure_, 0);
    auto* dot = new MemberAccess(At(54), s);
    s->SetRight(dot);
    dot->SetRight(new Variable(Member().Position(), dot, Member(), Binding(3)));
    return s;
  }
  uint32_t RunTree(Node* tree) {
    std::unique_ptr<Node> owner(tree);
    Value result;
    return Run(*tree, result);
  }

  AggregateType* structure_ = nullptr;
};

TEST_F(ReferenceAssignmentTest, AVariableIsRebound) {
  // b @= c, then b = 7 writes c.
  const std::size_t blocks = heap_.LiveBlockCount();
  ASSERT_EQ(RUN_OK, RunTree(Op(TYPE_REF_ASSIGN, Var(Basic(TYPE_I32), 1), Var(Basic(TYPE_I32), 2))));
  EXPECT_EQ(thread_.GetSlot(Global(2))->Block(), thread_.GetSlot(Global(1))->Block());
  EXPECT_EQ(blocks - 1, heap_.LiveBlockCount()) << "the block the variable named before is freed";
  ASSERT_EQ(RUN_OK, RunTree(Op(TYPE_ASSIGN, Var(Basic(TYPE_I32), 1), Literal(TYPE_UI8, "7"))));
  EXPECT_EQ("7", GlobalText(2));

  // A temporary on the right gets storage of its own.
  ASSERT_EQ(RUN_OK, RunTree(Op(TYPE_REF_ASSIGN, Var(Basic(TYPE_I32), 1), Literal(TYPE_UI8, "9"))));
  EXPECT_EQ("9", GlobalText(1));
  EXPECT_EQ("7", GlobalText(2));
}

TEST_F(ReferenceAssignmentTest, AReferenceMemberCellMovesItsCountToTheNewObject) {
  const uint32_t cell = Member().MemberOffset();
  MemoryBlock* b = thread_.GetSlot(Global(1))->Block();
  MemoryBlock* c = thread_.GetSlot(Global(2))->Block();
  ASSERT_EQ(RUN_OK, RunTree(Op(TYPE_REF_ASSIGN, MemberR(), Var(Basic(TYPE_I32), 1))));
  EXPECT_EQ(static_cast<void*>(b->Data()), Load<void*>(Global(0), cell)) << "a null cell is pointed at the object";
  EXPECT_EQ(2u, b->Holders()) << "the slot's count and the cell's";
  EXPECT_TRUE(b->IsMapped());

  ASSERT_EQ(RUN_OK, RunTree(Op(TYPE_REF_ASSIGN, MemberR(), Var(Basic(TYPE_I32), 2))));
  EXPECT_EQ(static_cast<void*>(c->Data()), Load<void*>(Global(0), cell));
  EXPECT_EQ(1u, b->Holders()) << "the old object's count is given back";
  EXPECT_EQ(2u, c->Holders());

  SetGlobal(2, I32(12));
  Value result;
  std::unique_ptr<Node> read(MemberR());
  ASSERT_EQ(RUN_OK, Run(*read, result));
  EXPECT_EQ("12", result.ToText()) << "s.r reads c";
}

}  // namespace
}  // namespace script::test
