#include <gtest/gtest.h>

#include "Script/Compiler/NumberLiteral.h"
#include "Script/Expressions/NodeType.h"

namespace script {
namespace {

struct LiteralCase {
  const char* text;
  ErrorCode error;
  int32_t typeId;
  const char* decimal;
};

TEST(NumberLiteralTest, FormsTypesAndValues) {
  const LiteralCase cases[] = {
      {"5", ErrorCode::NO_ERROR, TYPE_UI8, "5"},
      {"255", ErrorCode::NO_ERROR, TYPE_UI8, "255"},
      {"256", ErrorCode::NO_ERROR, TYPE_UI16, "256"},
      {"300", ErrorCode::NO_ERROR, TYPE_UI16, "300"},
      {"65536", ErrorCode::NO_ERROR, TYPE_UI32, "65536"},
      {"4294967296", ErrorCode::NO_ERROR, TYPE_UI64, "4294967296"},
      {"+7", ErrorCode::NO_ERROR, TYPE_UI8, "7"},
      {"-1", ErrorCode::NO_ERROR, TYPE_I8, "-1"},
      {"-127", ErrorCode::NO_ERROR, TYPE_I8, "-127"},
      {"-128", ErrorCode::NO_ERROR, TYPE_I16, "-128"},
      {"-40000", ErrorCode::NO_ERROR, TYPE_I32, "-40000"},
      {"-2147483648", ErrorCode::NO_ERROR, TYPE_I64, "-2147483648"},
      {"007", ErrorCode::NO_ERROR, TYPE_UI8, "7"},
      {"2.0", ErrorCode::NO_ERROR, TYPE_UI8, "2"},
      {"2.500", ErrorCode::NO_ERROR, TYPE_DOUBLE, "2.500"},
      {"1.5", ErrorCode::NO_ERROR, TYPE_DOUBLE, "1.5"},
      {".5", ErrorCode::NO_ERROR, TYPE_DOUBLE, ".5"},
      {"1.5e+3", ErrorCode::NO_ERROR, TYPE_DOUBLE, "1.5e+3"},
      {"1e+05", ErrorCode::NO_ERROR, TYPE_DOUBLE, "1e+05"},
      {"-2.5e-1", ErrorCode::NO_ERROR, TYPE_DOUBLE, "-2.5e-1"},
      {"0x1FF", ErrorCode::NO_ERROR, TYPE_UI16, "511"},
      {"0xff", ErrorCode::NO_ERROR, TYPE_UI8, "255"},
      {"0x12345", ErrorCode::NO_ERROR, TYPE_UI32, "74565"},
      {"0xFFFFFFFFFFFFFFFF", ErrorCode::NO_ERROR, TYPE_UI64, "18446744073709551615"},
      {"0FFh", ErrorCode::NO_ERROR, TYPE_UI16, "255"},
      {"101b", ErrorCode::NO_ERROR, TYPE_UI8, "5"},
      {"100000000b", ErrorCode::NO_ERROR, TYPE_UI16, "256"},
      {"0x", ErrorCode::INVALID_HEX_NUMBER, 0, ""},
      {"0x1G", ErrorCode::INVALID_HEX_NUMBER, 0, ""},
      {"0x12345678901234567", ErrorCode::INVALID_HEX_NUMBER, 0, ""},
      {"12Gh", ErrorCode::INVALID_HEX_NUMBER, 0, ""},
      {"102b", ErrorCode::INVALID_BINARY_NUMBER, 0, ""},
      {"5e", ErrorCode::INVALID_NUMBER_FORMAT, 0, ""},
      {"1.5e3", ErrorCode::INVALID_NUMBER_FORMAT, 0, ""},
      {"1e+", ErrorCode::INVALID_NUMBER_FORMAT, 0, ""},
      {"5.", ErrorCode::INVALID_NUMBER_FORMAT, 0, ""},
      {"12ab", ErrorCode::INVALID_BINARY_NUMBER, 0, ""},
      {"12ax", ErrorCode::INVALID_NUMBER_FORMAT, 0, ""},
      {"-", ErrorCode::INVALID_NUMBER_FORMAT, 0, ""},
  };
  for (const LiteralCase& c : cases) {
    NumberLiteral literal = ReadNumberLiteral(c.text);
    EXPECT_EQ(c.error, literal.error) << c.text;
    if (c.error != ErrorCode::NO_ERROR) continue;
    EXPECT_EQ(c.typeId, literal.typeId) << c.text;
    EXPECT_EQ(c.decimal, literal.decimal) << c.text;
  }
}

TEST(NumberLiteralTest, FixedNumbersAsDecimal) {
  EXPECT_EQ("1", FixedNumberAsDecimal("0x1"));
  EXPECT_EQ("1", FixedNumberAsDecimal("1"));
  EXPECT_EQ("3", FixedNumberAsDecimal("11b"));
  EXPECT_EQ("4294967296", FixedNumberAsDecimal("4294967296"));
  EXPECT_EQ("", FixedNumberAsDecimal("abc"));
}

}  // namespace
}  // namespace script
