// The value operations behind the operators: width, signedness and kind of
// the target decide; the source is read as the target's type.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/ValueOperations.h"
#include "tests/values/ValueBuilders.h"

namespace script {
namespace {

using namespace script::test;

struct OperationCase {
  std::string name;
  ValueOperation operation;
  Value target;
  Value source;
  uint32_t status;
  std::string text;  // the target's text afterwards
  uint32_t kind;     // the target's kind afterwards
};

class ValueOperationsTest : public ::testing::Test {
 protected:
  static void Check(const std::vector<OperationCase>& cases) {
    for (const OperationCase& c : cases) {
      Value target = c.target;
      EXPECT_EQ(c.operation(target, c.source), c.status) << c.name;
      EXPECT_EQ(target.ToText(), c.text) << c.name;
      EXPECT_EQ(target.Kind(), c.kind) << c.name;
    }
  }

  Memory heap_;
};

constexpr int32_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI64Min = std::numeric_limits<int64_t>::min();

TEST_F(ValueOperationsTest, ArithmeticWrapsAtTheTargetWidth) {
  Check({
      {"ui8 200 + i32 100", ops::Add, UI8(200), I32(100), OPERATION_OK, "44", KIND_UI8},
      {"i32 1 + double 2.5", ops::Add, I32(1), Double(2.5), OPERATION_OK, "3", KIND_I32},
      {"double 2.5 + i32 1", ops::Add, Double(2.5), I32(1), OPERATION_OK, "3.5", KIND_DOUBLE},
      {"i64 max + 1", ops::Add, I64(std::numeric_limits<int64_t>::max()), UI8(1), OPERATION_OK,
       std::to_string(kI64Min), KIND_I64},
      {"i32 1 + string 12", ops::Add, I32(1), Str(heap_, "12"), OPERATION_OK, "13", KIND_I32},
      {"i8 + bool true", ops::Add, I8(-1), Bool(true), OPERATION_OK, "0", KIND_I8},
      {"bool + bool", ops::Add, Bool(true), Bool(true), OPERATION_UNSUPPORTED, "true", KIND_BOOL},
      {"ui8 0 - 1", ops::Subtract, UI8(0), UI8(1), OPERATION_OK, "255", KIND_UI8},
      {"float - i32", ops::Subtract, Float(1.5f), I32(2), OPERATION_OK, "-0.5", KIND_FLOAT},
      {"ui16 65535 * 65535", ops::Multiply, UI16(65535), UI16(65535), OPERATION_OK, "1", KIND_UI16},
      {"i32 65536 * 65536", ops::Multiply, I32(65536), I32(65536), OPERATION_OK, "0", KIND_I32},
      {"i16 300 * -300", ops::Multiply, I16(300), I32(-300), OPERATION_OK, "-24464", KIND_I16},
  });
}

TEST_F(ValueOperationsTest, DivisionAndModulo) {
  Check({
      {"i32 -7 / 2 truncates", ops::Divide, I32(-7), I32(2), OPERATION_OK, "-3", KIND_I32},
      {"ui32 by target signedness", ops::Divide, UI32(4294967295u), I32(-1), OPERATION_OK, "1", KIND_UI32},
      {"i32 7 / 0", ops::Divide, I32(7), I32(0), OPERATION_DIVISION_BY_ZERO, "7", KIND_I32},
      {"double 1 / 0.0", ops::Divide, Double(1), Double(0), OPERATION_DIVISION_BY_ZERO, "1", KIND_DOUBLE},
      {"double 1 / -0.0", ops::Divide, Double(1), Double(-0.0), OPERATION_DIVISION_BY_ZERO, "1", KIND_DOUBLE},
      {"i32 7 / double 0.5 reads 0", ops::Divide, I32(7), Double(0.5), OPERATION_DIVISION_BY_ZERO, "7", KIND_I32},
      {"double 1 / 4", ops::Divide, Double(1), I32(4), OPERATION_OK, "0.25", KIND_DOUBLE},
      {"i32 min / -1 wraps", ops::Divide, I32(kI32Min), I32(-1), OPERATION_OK, std::to_string(kI32Min), KIND_I32},
      {"i64 min / -1 wraps", ops::Divide, I64(kI64Min), I64(-1), OPERATION_OK, std::to_string(kI64Min), KIND_I64},
      {"i8 -128 / -1 wraps", ops::Divide, I8(-128), I8(-1), OPERATION_OK, "-128", KIND_I8},
      {"i16 -5 / -1", ops::Divide, I16(-5), I8(-1), OPERATION_OK, "5", KIND_I16},
      {"bool / bool", ops::Divide, Bool(true), Bool(true), OPERATION_UNSUPPORTED, "true", KIND_BOOL},
      {"i8 -7 % 3", ops::Modulo, I8(-7), I8(3), OPERATION_OK, "-1", KIND_I8},
      {"i32 7 % -3", ops::Modulo, I32(7), I32(-3), OPERATION_OK, "1", KIND_I32},
      {"i32 min % -1", ops::Modulo, I32(kI32Min), I32(-1), OPERATION_OK, "0", KIND_I32},
      {"i64 min % -1", ops::Modulo, I64(kI64Min), I32(-1), OPERATION_OK, "0", KIND_I64},
      {"ui8 7 % 0", ops::Modulo, UI8(7), UI8(0), OPERATION_DIVISION_BY_ZERO, "7", KIND_UI8},
      {"double % i32", ops::Modulo, Double(7), I32(2), OPERATION_UNSUPPORTED, "7", KIND_DOUBLE},
  });
}

TEST_F(ValueOperationsTest, BitwiseOperationsAndShifts) {
  Check({
      {"ui8 & ", ops::BitAnd, UI8(0xF0), UI8(0x3C), OPERATION_OK, "48", KIND_UI8},
      {"i16 | ", ops::BitOr, I16(0x0100), I32(0x10001), OPERATION_OK, "257", KIND_I16},
      {"bool ^ bool", ops::BitXor, Bool(true), Bool(true), OPERATION_OK, "false", KIND_BOOL},
      {"bool & i32 5 reads true", ops::BitAnd, Bool(true), I32(5), OPERATION_OK, "true", KIND_BOOL},
      {"double &", ops::BitAnd, Double(3), I32(1), OPERATION_UNSUPPORTED, "3", KIND_DOUBLE},
      {"ui8 1 << 8", ops::ShiftLeft, UI8(1), I32(8), OPERATION_OK, "0", KIND_UI8},
      {"i32 1 << 33", ops::ShiftLeft, I32(1), I32(33), OPERATION_OK, "2", KIND_I32},
      {"ui64 1 << 64", ops::ShiftLeft, UI64(1), I32(64), OPERATION_OK, "0", KIND_UI64},
      {"ui64 1 << 63", ops::ShiftLeft, UI64(1), I32(63), OPERATION_OK, "9223372036854775808", KIND_UI64},
      {"i64 1 << 257 uses the low 8 bits", ops::ShiftLeft, I64(1), I32(257), OPERATION_OK, "2", KIND_I64},
      {"i8 -128 >> 4 fills the sign", ops::ShiftRight, I8(-128), I8(4), OPERATION_OK, "-8", KIND_I8},
      {"ui8 200 >> 3", ops::ShiftRight, UI8(200), UI8(3), OPERATION_OK, "25", KIND_UI8},
      {"i32 -1 >> 33", ops::ShiftRight, I32(-1), I32(33), OPERATION_OK, "-1", KIND_I32},
      {"ui32 top bit >> 31", ops::ShiftRight, UI32(0x80000000u), I32(31), OPERATION_OK, "1", KIND_UI32},
      {"i64 -5 >> 64", ops::ShiftRight, I64(-5), I32(64), OPERATION_OK, "-1", KIND_I64},
      {"i64 5 >> 100", ops::ShiftRight, I64(5), I32(100), OPERATION_OK, "0", KIND_I64},
      {"ui64 max >> 64", ops::ShiftRight, UI64(std::numeric_limits<uint64_t>::max()), I32(64), OPERATION_OK, "0",
       KIND_UI64},
      {"bool << ", ops::ShiftLeft, Bool(true), I32(1), OPERATION_UNSUPPORTED, "true", KIND_BOOL},
      {"float >> ", ops::ShiftRight, Float(8), I32(1), OPERATION_UNSUPPORTED, "8", KIND_FLOAT},
  });
}

TEST_F(ValueOperationsTest, ComparisonsUseTheTargetTypeAndLeaveItUnchanged) {
  const double nan = std::nan("");
  Check({
      {"i8 -1 > ui8 5", ops::Greater, I8(-1), UI8(5), OPERATION_FALSE, "-1", KIND_I8},
      {"ui8 5 > i8 -1 reads 255", ops::Greater, UI8(5), I8(-1), OPERATION_FALSE, "5", KIND_UI8},
      {"i32 2 < double 2.9 reads 2", ops::Less, I32(2), Double(2.9), OPERATION_FALSE, "2", KIND_I32},
      {"double 2 < i32 3", ops::Less, Double(2), I32(3), OPERATION_TRUE, "2", KIND_DOUBLE},
      {"i16 <= ", ops::LessEqual, I16(-3), I16(-3), OPERATION_TRUE, "-3", KIND_I16},
      {"ui64 >= ", ops::GreaterEqual, UI64(1), I8(-1), OPERATION_FALSE, "1", KIND_UI64},
      {"bool true == i32 5", ops::Equal, Bool(true), I32(5), OPERATION_TRUE, "true", KIND_BOOL},
      {"i32 != ", ops::NotEqual, I32(4), UI8(4), OPERATION_FALSE, "4", KIND_I32},
      {"nan == nan", ops::Equal, Double(nan), Double(nan), OPERATION_FALSE, "nan", KIND_DOUBLE},
      {"nan != nan", ops::NotEqual, Double(nan), Double(nan), OPERATION_TRUE, "nan", KIND_DOUBLE},
      {"nan < 1", ops::Less, Double(nan), I32(1), OPERATION_FALSE, "nan", KIND_DOUBLE},
      {"string == string", ops::Equal, Str(heap_, "ab"), Str(heap_, "ab"), OPERATION_UNSUPPORTED, "ab", KIND_STRING},
      {"i32 < string", ops::Less, I32(1), Str(heap_, "2"), OPERATION_UNSUPPORTED, "1", KIND_I32},
  });
}

TEST_F(ValueOperationsTest, StringsAndTargetsWithoutKind) {
  Check({
      {"ab + 1", ops::Add, Str(heap_, "ab"), UI8(1), OPERATION_OK, "ab1", KIND_STRING},
      {"ab + cd", ops::Add, Str(heap_, "ab"), Str(heap_, "cd"), OPERATION_OK, "abcd", KIND_STRING},
      {"x + true", ops::Add, Str(heap_, "x"), Bool(true), OPERATION_OK, "xtrue", KIND_STRING},
      {"x + double", ops::Add, Str(heap_, "x"), Double(0.5), OPERATION_OK, "x0.5", KIND_STRING},
      {"string - 1", ops::Subtract, Str(heap_, "ab"), UI8(1), OPERATION_UNSUPPORTED, "ab", KIND_STRING},
      {"no kind + i16", ops::Add, Value(), I16(-4), OPERATION_OK, "-4", KIND_I16},
      {"no kind + string", ops::Add, Value(), Str(heap_, "s"), OPERATION_OK, "s", KIND_STRING},
      {"no kind * i16", ops::Multiply, Value(), I16(-4), OPERATION_UNSUPPORTED, "0", KIND_NONE},
  });
}

TEST_F(ValueOperationsTest, StringSourcesThatAreNoNumberFailAsConversions) {
  Check({
      {"i32 + letters", ops::Add, I32(1), Str(heap_, "abc"), OPERATION_CONVERSION_FAILED, "1", KIND_I32},
      {"i8 + beyond 32 bits", ops::Add, I8(1), Str(heap_, "99999999999"), OPERATION_CONVERSION_FAILED, "1", KIND_I8},
      {"i32 + digits then letters", ops::Add, I32(1), Str(heap_, "2x"), OPERATION_OK, "3", KIND_I32},
  });
  Value target = I32(1);
  Value letters = Str(heap_, "abc");
  EXPECT_EQ(OperationErrorMessage(OPERATION_CONVERSION_FAILED, target, letters),
            "cannot convert \"abc\" to i32: not a number");
  Value tooLarge = Str(heap_, "99999999999");
  EXPECT_EQ(OperationErrorMessage(OPERATION_CONVERSION_FAILED, target, tooLarge),
            "cannot convert \"99999999999\" to i32: out of range");
  EXPECT_EQ(OperationErrorMessage(OPERATION_DIVISION_BY_ZERO, target, letters), "Division by zero");
  EXPECT_EQ(OperationErrorMessage(OPERATION_UNSUPPORTED, target, letters), "Runtime error: 146");
}

TEST_F(ValueOperationsTest, LogicalOperationsTakeTheTruthOfEachOperand) {
  FunctionRefType functionRef(SourcePosition{}, nullptr);
  Value function;
  const uintptr_t address = 0x1234;
  function.SetScalar(&functionRef, &address);
  Check({
      {"string 0 && true", ops::LogicalAnd, Str(heap_, "0"), Bool(true), OPERATION_OK, "true", KIND_BOOL},
      {"empty string || false", ops::LogicalOr, Str(heap_, ""), Bool(false), OPERATION_OK, "false", KIND_BOOL},
      {"double 0.5 && true", ops::LogicalAnd, Double(0.5), Bool(true), OPERATION_OK, "false", KIND_BOOL},
      {"ui8 0 || string x", ops::LogicalOr, UI8(0), Str(heap_, "x"), OPERATION_OK, "true", KIND_BOOL},
      {"i32 2 && double 0.5 unconverted", ops::LogicalAnd, I32(2), Double(0.5), OPERATION_OK, "false", KIND_BOOL},
      {"string false || 0", ops::LogicalOr, Str(heap_, "false"), I32(0), OPERATION_OK, "false", KIND_BOOL},
      {"no kind || 1", ops::LogicalOr, Value(), I32(1), OPERATION_OK, "true", KIND_BOOL},
      {"function reference &&", ops::LogicalAnd, function, Bool(true), OPERATION_UNSUPPORTED, "0",
       KIND_FUNCTION_REF},
  });
}

TEST_F(ValueOperationsTest, BitNotWorksAtTheWidthOfTheTarget) {
  Check({
      {"~i8 5 into an empty value", ops::BitNot, Value(), I8(5), OPERATION_OK, "-6", KIND_I8},
      {"~ui8 0 into an empty value", ops::BitNot, Value(), UI8(0), OPERATION_OK, "255", KIND_UI8},
      {"~ui16 into ui16", ops::BitNot, UI16(7), UI16(0x00FF), OPERATION_OK, "65280", KIND_UI16},
      {"~bool is logical not", ops::BitNot, Value(), Bool(true), OPERATION_OK, "false", KIND_BOOL},
      {"~double takes the type, then fails", ops::BitNot, Value(), Double(1), OPERATION_UNSUPPORTED, "0", KIND_DOUBLE},
      {"~string", ops::BitNot, Value(), Str(heap_, "1"), OPERATION_UNSUPPORTED, "0", KIND_NONE},
  });
}

TEST_F(ValueOperationsTest, ScalarOperationsNeedNoHeapAndWriteThroughBlockStorage) {
  Value sum = UI8(200);
  Value right = I32(100);
  ASSERT_EQ(ops::Add(sum, right), OPERATION_OK);
  ASSERT_EQ(ops::Less(sum, right), OPERATION_TRUE);
  ASSERT_EQ(ops::LogicalAnd(sum, right), OPERATION_OK);
  EXPECT_EQ(heap_.LiveBlockCount(), 0u) << "scalar temporaries stay inline";

  Value variable(heap_.NewOwnedRef(BuiltInType(TYPE_I16), 2), BuiltInType(TYPE_I16));
  variable.Ref()->Release();  // the value holds the only count
  Value shared = variable;
  ASSERT_EQ(ops::Subtract(shared, UI8(1)), OPERATION_OK);
  EXPECT_EQ(variable.ToText(), "-1") << "the operation writes the storage the value refers to";
}

}  // namespace
}  // namespace script
