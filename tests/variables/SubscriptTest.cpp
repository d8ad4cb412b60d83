#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Operators/PrePostOperators.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Variables/ConstVariable.h"
#include "Script/Expressions/Variables/MemberAccess.h"
#include "Script/Expressions/Variables/SubscriptNode.h"
#include "tests/types/TypeBuilders.h"
#include "tests/variables/AccessFixture.h"

namespace script::test {
namespace {

using Literal = std::pair<int32_t, std::string>;  // type id and text of an index literal

class SubscriptTest : public AccessFixture {
 protected:
  // A subscript below `holder` with literal indices, bound through `bindingSlot`.
  SubscriptNode* Subscript(Node& holder, const std::vector<Literal>& indices, uint32_t bindingSlot = 0) {
    auto* subscript = new SubscriptNode(At(49), &holder);
    holder.SetRight(subscript);
    subscript->SetBindingSlot(bindingSlot);
    for (const auto& [typeId, text] : indices) {
      auto* index = new ConstVariable(At(0), subscript);
      EXPECT_TRUE(index->SetLiteral(BuiltInType(typeId), text, heap_));
      subscript->AddIndex(index);
    }
    return subscript;
  }
  // An array of i32 in global slot 0 whose element n holds n * 10.
  ArrayType* NumberedArray(std::initializer_list<uint32_t> dimensions) {
    ArrayType* array = Keep(MakeArray(new Type(TYPE_I32, SourcePosition{}, nullptr), dimensions));
    PushGlobals({array, BuiltInType(TYPE_I32)});
    for (uint32_t n = 0; n < array->ElementCount(); ++n) Store<int32_t>(Global(0), n * 4, static_cast<int32_t>(n * 10));
    return array;
  }
};

struct SubscriptCase {
  const char* name;
  std::vector<Literal> indices;
  int32_t element;      // the element read, or -1
  const char* message;  // the runtime error otherwise
};

TEST_F(SubscriptTest, IndicesSelectTheElementFirstIndexFastest) {
  ArrayType* array = NumberedArray({4, 3});
  const SubscriptCase cases[] = {
      {"A[2,1]", {{TYPE_UI8, "2"}, {TYPE_UI8, "1"}}, 6, nullptr},
      {"A[3,2] is the last", {{TYPE_UI8, "3"}, {TYPE_UI8, "2"}}, 11, nullptr},
      {"A[5] passes the first dimension", {{TYPE_UI8, "5"}}, 5, nullptr},
      {"A[0,3] lies past the block", {{TYPE_UI8, "0"}, {TYPE_UI8, "3"}}, -1, "Array subscript is out of memory bounds"},
      {"A[4,0] runs on into the next column", {{TYPE_UI8, "4"}, {TYPE_UI8, "0"}}, 4, nullptr},
      {"A[5,-1] steps back into the first column", {{TYPE_UI8, "5"}, {TYPE_I8, "-1"}}, 1, nullptr},
      {"A[2,-1] lies before the block", {{TYPE_UI8, "2"}, {TYPE_I8, "-1"}}, -1,
       "Array subscript is out of memory bounds"},
      {"A[1,2,0]: a zero index past the dimensions", {{TYPE_UI8, "1"}, {TYPE_UI8, "2"}, {TYPE_UI8, "0"}}, 9, nullptr},
      {"A[1,2,1]: another index past the dimensions", {{TYPE_UI8, "1"}, {TYPE_UI8, "2"}, {TYPE_UI8, "1"}}, -1,
       "Array subscript is out of memory bounds"},
      {"negative index", {{TYPE_I8, "-1"}}, -1, "Array subscript is out of memory bounds"},
      {"double 2.9", {{TYPE_DOUBLE, "2.9"}}, 2, nullptr},
      {"double -0.5 goes toward zero", {{TYPE_DOUBLE, "-0.5"}}, 0, nullptr},
      {"bool true", {{TYPE_BOOL, "true"}}, 1, nullptr},
      {"string index", {{TYPE_STRING, "7"}}, 7, nullptr},
      {"an i64 past 32 bits is not cut to its low bits", {{TYPE_I64, "4294967299"}}, -1,
       "Array subscript is out of memory bounds"},
      {"2^32 in the first of two indices", {{TYPE_I64, "4294967296"}, {TYPE_UI8, "1"}}, -1,
       "Array subscript is out of memory bounds"},
      {"huge index does not wrap into the block", {{TYPE_UI32, "1073741825"}}, -1,
       "Array subscript is out of memory bounds"},
  };
  for (const SubscriptCase& c : cases) {
    SCOPED_TRACE(c.name);
    Variable a(At(1), nullptr, array, Global(0), 0);
    Subscript(a, c.indices);
    Value result;
    if (c.message == nullptr) {
      ASSERT_EQ(RUN_OK, Run(a, result));
      EXPECT_EQ(KIND_I32, result.Kind());
      EXPECT_EQ(std::to_string(c.element * 10), result.ToText());
      EXPECT_EQ(static_cast<uint32_t>(c.element * 4), result.Ref()->Offset());
    } else {
      EXPECT_EQ(RUN_ERROR, Run(a, result));
      EXPECT_EQ(c.message, LastError().message);
      EXPECT_EQ(At(49), LastError().position);
    }
  }
}

TEST_F(SubscriptTest, IndexValuesThatAreNoNumberAreRuntimeErrors) {
  ArrayType* array = NumberedArray({4});
  Variable a(At(1), nullptr, array, Global(0), 0);
  SubscriptNode* subscript = Subscript(a, {{TYPE_STRING, "two"}});
  Value result;
  EXPECT_EQ(RUN_ERROR, Run(a, result));
  EXPECT_NE(std::string::npos, LastError().message.find("Subscript value")) << LastError().message;
  EXPECT_NE(std::string::npos, LastError().message.find("\"two\"")) << LastError().message;

  Node* word = subscript->Indices()[0];
  ASSERT_TRUE(subscript->SubstituteChild(word, new ConstVariable(At(0), subscript)));
  delete word;
  EXPECT_EQ(RUN_ERROR, Run(a, result)) << "an index without a value";
  EXPECT_EQ("Subscript value is NULL!", LastError().message);
}

TEST_F(SubscriptTest, AnArrayMemberIsBoundedByItsOwnSize) {
  // struct { array<ui8,4> a; i32 b; }: a[3] is the last byte of a; a[5]
  // would be a byte of b, and is out of bounds like a[5] of a plain array.
  auto* structure = Keep(new AggregateType(At(40), nullptr));
  auto* bytes = MakeArray(new Type(TYPE_UI8, SourcePosition{}, nullptr), {4}, structure);
  structure->AddMember(bytes);
  Declare(bytes, {41});
  AddMember(*structure, TYPE_I32, 0, {42});
  ASSERT_TRUE(structure->ComputeLayout());
  ArrayType* plain = Keep(MakeArray(new Type(TYPE_UI8, SourcePosition{}, nullptr), {4}));
  PushGlobals({structure, plain, BuiltInType(TYPE_UI8), BuiltInType(TYPE_UI8)});
  Store<int32_t>(Global(0), 0, 0x2A000000);
  Store<int32_t>(Global(0), 4, 0x0000AB00);

  const auto& member = *static_cast<const Variable*>(bytes->Items().at(0));
  for (const auto& [index, expected] : {std::pair{"3", "42"}, std::pair{"5", ""}}) {
    SCOPED_TRACE(index);
    Variable s(At(1), nullptr, structure, Global(0), 0);
    auto* dot = new MemberAccess(At(54), &s);
    s.SetRight(dot);
    auto* a = new Variable(member.Position(), dot, member, Binding(2));
    dot->SetRight(a);
    Subscript(*a, {{TYPE_UI8, index}}, Binding(3));
    Value result;
    if (*expected != '\0') {
      ASSERT_EQ(RUN_OK, Run(s, result));
      EXPECT_EQ(expected, result.ToText());
    } else {
      EXPECT_EQ(RUN_ERROR, Run(s, result));
      EXPECT_EQ("Array subscript is out of memory bounds", LastError().message);
    }
  }

  Variable p(At(1), nullptr, plain, Global(1), 0);
  Subscript(p, {{TYPE_UI8, "5"}});
  Value result;
  EXPECT_EQ(RUN_ERROR, Run(p, result));
  EXPECT_EQ("Array subscript is out of memory bounds", LastError().message);
}

TEST_F(SubscriptTest, TheElementIsHandedToTheRestOfTheChainThroughTheBindingSlot) {
  // array<Point,3> with struct Point { i32 x; i32 y; }: A[1].y
  auto* point = Keep(new AggregateType(At(30), nullptr));
  AddMember(*point, TYPE_I32, 0, {31});
  AddMember(*point, TYPE_I32, 0, {32});
  ASSERT_TRUE(point->ComputeLayout());
  ArrayType* array = Keep(MakeArray(UseStructure(*point, nullptr), {3}));
  PushGlobals({array, BuiltInType(TYPE_I32), BuiltInType(TYPE_I32)});
  Store<int32_t>(Global(0), 12, 99);

  Variable a(At(1), nullptr, array, Global(0), 0);
  SubscriptNode* subscript = Subscript(a, {{TYPE_UI8, "1"}}, Binding(1));
  auto* dot = new MemberAccess(At(54), subscript);
  subscript->SetRight(dot);
  const auto& y = *static_cast<const Variable*>(point->Members().at(1)->Items().at(0));
  dot->SetRight(new Variable(y.Position(), dot, y, Binding(2)));
  std::size_t handlesAfterARun = 0;
  for (int run = 0; run < 2; ++run) {
    {
      Value result;
      ASSERT_EQ(RUN_OK, Run(a, result));
      EXPECT_EQ("99", result.ToText());
    }
    EXPECT_EQ(thread_.GetSlot(Global(1)), thread_.GetSlot(Binding(1))) << "the element binding is popped";
    if (run == 1) {
      EXPECT_EQ(handlesAfterARun, heap_.LiveRefCount()) << "binding handles are reused";
    }
    handlesAfterARun = heap_.LiveRefCount();
  }
}

TEST_F(SubscriptTest, AnElementValueKeepsItsElementWhenTheSubscriptRunsAgain) {
  // A[i] with i in slot 1, bound through slot 2: the value of a first run
  // still designates its element while a second run reads another one.
  ArrayType* array = Keep(MakeArray(new Type(TYPE_I32, SourcePosition{}, nullptr), {4}));
  PushGlobals({array, BuiltInType(TYPE_I32), BuiltInType(TYPE_I32)});
  for (uint32_t n = 0; n < 4; ++n) Store<int32_t>(Global(0), n * 4, static_cast<int32_t>(n * 10));
  Variable a(At(1), nullptr, array, Global(0), 0);
  SubscriptNode* subscript = Subscript(a, {}, Binding(2));
  subscript->AddIndex(new Variable(At(2), subscript, BuiltInType(TYPE_I32), Global(1), 0));

  const std::size_t refs = heap_.LiveRefCount();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Store<int32_t>(Global(1), 0, 1);
    Value first;
    ASSERT_EQ(RUN_OK, Run(a, first));
    Store<int32_t>(Global(1), 0, 3);
    Value second;
    ASSERT_EQ(RUN_OK, Run(a, second));
    EXPECT_EQ("10", first.ToText());
    EXPECT_EQ("30", second.ToText());
    ASSERT_TRUE(first.Assign(second) == CONVERSION_OK);
    EXPECT_EQ(30, Load<int32_t>(Global(0), 4)) << "the first value writes its own element";
    EXPECT_EQ(30, Load<int32_t>(Global(0), 12));
    Store<int32_t>(Global(0), 4, 10);
  }
  EXPECT_EQ(refs, heap_.LiveRefCount()) << "no handle outlives the values";
}

TEST_F(SubscriptTest, AnIndexWithAPostIncrementReadsBeforeTheStep) {
  ArrayType* array = NumberedArray({4});
  Store<int32_t>(Global(1), 0, 1);
  Variable a(At(1), nullptr, array, Global(0), 0);
  SubscriptNode* subscript = Subscript(a, {});
  auto* i = new Variable(At(2), subscript, BuiltInType(TYPE_I32), Global(1), 0);
  i->SetLeft(new OperatorPostInc(At(16, 1, 4), i));
  subscript->AddIndex(i);

  Type* type = nullptr;
  PrePostExpressions* wrapper = nullptr;
  Error error;
  ASSERT_TRUE(a.IsExpression(&type, &wrapper, &error)) << error.Name();
  EXPECT_EQ(nullptr, wrapper) << "the index has a wrapper of its own";
  EXPECT_EQ(array->ElementType(), type);
  ASSERT_EQ(TYPE_PRE_POST_EXPRESSIONS, subscript->Indices()[0]->TypeId());
  EXPECT_EQ(subscript, subscript->Indices()[0]->Parent());
  EXPECT_EQ(i, static_cast<PrePostExpressions*>(subscript->Indices()[0])->Wrapped());

  Value result;
  ASSERT_EQ(RUN_OK, Run(a, result));
  EXPECT_EQ("10", result.ToText());
  EXPECT_EQ(2, Load<int32_t>(Global(1), 0));
}

}  // namespace
}  // namespace script::test
