#include <gtest/gtest.h>

#include <string>

#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Variables/ConstVariable.h"
#include "tests/types/RecordingSerializer.h"
#include "tests/types/TypeBuilders.h"
#include "tests/variables/AccessFixture.h"

namespace script::test {
namespace {

class ConstVariableTest : public AccessFixture {};

struct LiteralCase {
  int32_t typeId;
  std::string text;
  std::string value;  // ToText of the stored value
};

TEST_F(ConstVariableTest, LiteralsOfEveryKindKeepTheirValue) {
  const LiteralCase cases[] = {
      {TYPE_UI8, "255", "255"},
      {TYPE_UI8, "2.0", "2"},  // an integer literal written with a zero fraction
      {TYPE_UI8, "+7", "7"},
      {TYPE_I8, "-128", "-128"},
      {TYPE_UI16, "300", "300"},
      {TYPE_I16, "-129", "-129"},
      {TYPE_UI32, "4294967295", "4294967295"},
      {TYPE_I32, "-2147483648", "-2147483648"},
      {TYPE_UI64, "18446744073709551615", "18446744073709551615"},
      {TYPE_I64, "-9223372036854775808", "-9223372036854775808"},
      {TYPE_DOUBLE, "1.5e+3", "1500"},
      {TYPE_DOUBLE, "-0.25", "-0.25"},
      {TYPE_FLOAT, "0.5", "0.5"},
      {TYPE_BOOL, "true", "true"},
      {TYPE_BOOL, "1", "true"},
      {TYPE_BOOL, "false", "false"},
      {TYPE_BOOL, "0", "false"},
      {TYPE_BOOL, "", "false"},
      {TYPE_STRING, "say \"hi\"", "say \"hi\""},
      {TYPE_STRING, "", ""},
  };
  for (const LiteralCase& c : cases) {
    SCOPED_TRACE(NodeTypeName(c.typeId) + " " + c.text);
    ConstVariable literal(At(0), nullptr);
    ASSERT_TRUE(literal.SetLiteral(BuiltInType(c.typeId), c.text, heap_));
    EXPECT_EQ(BuiltInType(c.typeId), literal.GetType());
    EXPECT_EQ(c.value, literal.Literal().ToText());
    EXPECT_EQ(Variable::kNoStorage, literal.StorageOffset());

    Value result;
    ASSERT_EQ(RUN_OK, Run(literal, result));
    EXPECT_EQ(c.value, result.ToText());
    EXPECT_EQ(BuiltInType(c.typeId), result.GetType());
  }
}

TEST_F(ConstVariableTest, RejectsTextThatIsNoValueOfTheType) {
  auto* array = Keep(MakeArray(BuiltInType(TYPE_UI8), {4}));
  const std::pair<Type*, std::string> rejected[] = {
      {BuiltInType(TYPE_UI8), "256"},  {BuiltInType(TYPE_I8), "-129"},     {BuiltInType(TYPE_UI8), "-1"},
      {BuiltInType(TYPE_UI8), "1.5"},  {BuiltInType(TYPE_I32), "12abc"},   {BuiltInType(TYPE_DOUBLE), "x"},
      {BuiltInType(TYPE_UI16), ""},    {BuiltInType(TYPE_UI64), "18446744073709551616"},
      {array, "1"},                    {nullptr, "1"},
  };
  for (const auto& [type, text] : rejected) {
    SCOPED_TRACE(text);
    ConstVariable literal(At(0), nullptr);
    EXPECT_FALSE(literal.SetLiteral(type, text, heap_));
    EXPECT_EQ(nullptr, literal.GetType());
  }
}

TEST_F(ConstVariableTest, ScalarsRunIntoTheValueItselfAndStringsIntoACopy) {
  ConstVariable number(At(0), nullptr);
  ASSERT_TRUE(number.SetLiteral(BuiltInType(TYPE_UI8), "5", heap_));
  ConstVariable text(At(0), nullptr);
  ASSERT_TRUE(text.SetLiteral(BuiltInType(TYPE_STRING), "abc", heap_));
  const std::size_t blocks = heap_.LiveBlockCount();

  Value scalar;
  ASSERT_EQ(RUN_OK, Run(number, scalar));
  EXPECT_TRUE(scalar.IsInline());
  EXPECT_EQ(blocks, heap_.LiveBlockCount()) << "no storage is allocated for a scalar literal";

  Value copy;
  ASSERT_EQ(RUN_OK, Run(text, copy));
  ASSERT_NE(nullptr, copy.StringObject());
  EXPECT_NE(text.Literal().Ref(), copy.Ref());
  *copy.StringObject() += "d";
  EXPECT_EQ("abc", text.Literal().ToText()) << "changing the copy leaves the literal";
}

TEST_F(ConstVariableTest, ATypedResultReceivesTheLiteralConverted) {
  ConstVariable literal(At(0), nullptr);
  ASSERT_TRUE(literal.SetLiteral(BuiltInType(TYPE_UI16), "300", heap_));
  Value narrow;
  narrow.SetI8(0);
  ASSERT_EQ(RUN_OK, Run(literal, narrow));
  EXPECT_EQ(KIND_I8, narrow.Kind());
  EXPECT_EQ("44", narrow.ToText());

  ConstVariable word(At(0), nullptr);
  ASSERT_TRUE(word.SetLiteral(BuiltInType(TYPE_STRING), "abc", heap_));
  Value number;
  number.SetI32(0);
  EXPECT_EQ(RUN_ERROR, Run(word, number)) << "a string that is no number";
  EXPECT_FALSE(LastError().message.empty());
}

TEST_F(ConstVariableTest, WritesItsSymbolOrElseItsTokens) {
  ConstVariable single(At(12), nullptr);
  ConstVariable pieces(At(0), nullptr);
  for (uint32_t symbol : {20u, 21u, 22u}) pieces.AddSymbol(symbol);
  RecordingSerializer singleText;
  single.SerializeBody(&singleText);
  RecordingSerializer piecesText;
  pieces.SerializeBody(&piecesText);
  EXPECT_EQ("s12", singleText.Text());
  EXPECT_EQ("s20 s21 s22", piecesText.Text());
}

}  // namespace
}  // namespace script::test
