// Reading a value as a scalar of another kind, and its truth.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/Value.h"
#include "tests/values/ValueBuilders.h"

namespace script {
namespace {

using namespace script::test;

class ScalarReadingTest : public ::testing::Test {
 protected:
  Memory heap_;
};

struct ReadCase {
  std::string name;
  Value source;
  Value expected;  // a value of the target kind
  ConversionStatus status = CONVERSION_OK;
};

TEST_F(ScalarReadingTest, ReadsAsEveryTargetKind) {
  constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
  const std::vector<ReadCase> cases = {
      {"ui32 300 cut to i8", UI32(300), I8(44)},
      {"i8 -1 sign-extended then cut to ui16", I8(-1), UI16(0xFFFF)},
      {"ui8 255 zero-extended to i32", UI8(255), I32(255)},
      {"i16 -2 to i64", I16(-2), I64(-2)},
      {"i64 low bytes to ui32", I64(0x123456789), UI32(0x23456789)},
      {"double -2.7 toward zero", Double(-2.7), I32(-2)},
      {"float 300.9 toward zero, then cut", Float(300.9f), I8(44)},
      {"double beyond i64 saturates", Double(1e30), I64(kMax64)},
      {"double NaN reads 0", Double(std::numeric_limits<double>::quiet_NaN()), I32(0)},
      {"double 1e19 to ui64", Double(1e19), UI64(10000000000000000000ull)},
      {"double -1 to ui64 wraps", Double(-1.0), UI64(std::numeric_limits<uint64_t>::max())},
      {"bool true to double", Bool(true), Double(1.0)},
      {"ui64 max to double", UI64(std::numeric_limits<uint64_t>::max()), Double(18446744073709551616.0)},
      {"i64 -1 to float", I64(-1), Float(-1.0f)},
      {"double to float", Double(0.1), Float(0.1f)},
      {"double 0.5 to bool", Double(0.5), Bool(false)},
      {"double -1.5 to bool", Double(-1.5), Bool(true)},
      {"i32 256 to bool", I32(256), Bool(true)},
      // Strings parse as base-10 numbers of the target's conversion.
      {"digits then letters", Str(heap_, "12ab"), I32(12)},
      {"blanks and sign", Str(heap_, "  -7"), I32(-7)},
      {"plus sign", Str(heap_, "+5"), UI8(5)},
      {"parsed then cut", Str(heap_, "300"), I8(44)},
      {"hex prefix stops at x", Str(heap_, "0x10"), I32(0)},
      {"fraction stops integer", Str(heap_, "12.9"), I32(12)},
      {"i32 lowest", Str(heap_, "-2147483648"), I32(std::numeric_limits<int32_t>::min())},
      {"i32 above range", Str(heap_, "2147483648"), I32(0), CONVERSION_OUT_OF_RANGE},
      {"i8 reads the 32-bit range", Str(heap_, "4294967296"), I8(0), CONVERSION_OUT_OF_RANGE},
      {"ui32 highest", Str(heap_, "4294967295"), UI32(4294967295u)},
      {"ui32 above range", Str(heap_, "4294967296"), UI32(0), CONVERSION_OUT_OF_RANGE},
      {"ui32 minus wraps", Str(heap_, "-1"), UI32(4294967295u)},
      {"ui8 minus wraps then cuts", Str(heap_, "-1"), UI8(255)},
      {"ui32 minus beyond range", Str(heap_, "-4294967296"), UI32(0), CONVERSION_OUT_OF_RANGE},
      {"i64 beyond range", Str(heap_, "9223372036854775808"), I64(0), CONVERSION_OUT_OF_RANGE},
      {"i64 wide", Str(heap_, "-9000000000"), I64(-9000000000)},
      {"ui64 minus wraps", Str(heap_, "-1"), UI64(std::numeric_limits<uint64_t>::max())},
      {"ui64 beyond range", Str(heap_, "18446744073709551616"), UI64(0), CONVERSION_OUT_OF_RANGE},
      {"double exponent", Str(heap_, "1e3"), Double(1000.0)},
      {"float stops at letters", Str(heap_, "3.5x"), Float(3.5f)},
      {"double beyond range", Str(heap_, "1e999"), Double(0), CONVERSION_OUT_OF_RANGE},
      {"letters only", Str(heap_, "abc"), I32(0), CONVERSION_NOT_A_NUMBER},
      {"empty", Str(heap_, ""), Double(0), CONVERSION_NOT_A_NUMBER},
      {"sign alone", Str(heap_, "-"), UI32(0), CONVERSION_NOT_A_NUMBER},
      {"string to bool by truth", Str(heap_, "0"), Bool(true)},
      {"untyped value reads 0", Value(), I32(0)},
  };
  for (const ReadCase& c : cases) {
    const uint32_t kind = c.expected.Kind();
    const uint32_t width = ScalarWidth(kind);
    uint8_t read[8];
    std::memset(read, 0x5A, sizeof read);
    EXPECT_EQ(c.source.ReadScalar(kind, read), c.status) << c.name;
    EXPECT_EQ(std::memcmp(read, c.expected.StoragePointer(), width), 0)
        << c.name << ": read " << [&] {
             Value got;
             got.SetScalar(c.expected.GetType(), read);
             return got.ToText();
           }() << ", expected " << c.expected.ToText();
  }
}

TEST_F(ScalarReadingTest, NonScalarSourcesReadZero) {
  Type structure(TYPE_AGGREGATE_TYPE, {}, nullptr);
  MemoryBlockRef* ref = heap_.NewOwnedRef(&structure, 4);
  std::memset(ref->Data(), 0x7F, 4);
  Value value(ref, &structure);
  ref->Release();
  int32_t read = 99;
  EXPECT_EQ(value.ReadAs(read), CONVERSION_OK);
  EXPECT_EQ(read, 0);
  EXPECT_FALSE(value.ToBool());
}

TEST_F(ScalarReadingTest, TruthOfEachKind) {
  struct Case {
    std::string name;
    Value value;
    bool truth;
  };
  Type functionRef(TYPE_FUNCTION_REF_TYPE, {}, nullptr);
  const void* address = &functionRef;
  const void* none = nullptr;
  Value someFunction;
  someFunction.SetScalar(&functionRef, &address);
  Value noFunction;
  noFunction.SetScalar(&functionRef, &none);
  const std::vector<Case> cases = {
      {"false", Bool(false), false},
      {"true", Bool(true), true},
      {"zero", I32(0), false},
      {"minus one", I8(-1), true},
      {"high bit of ui64", UI64(1ull << 63), true},
      {"half", Double(0.5), false},
      {"one and a half", Double(1.5), true},
      {"minus half float", Float(-0.5f), false},
      {"empty string", Str(heap_, ""), false},
      {"the word false", Str(heap_, "false"), false},
      {"False is not false", Str(heap_, "False"), true},
      {"string zero", Str(heap_, "0"), true},
      {"function", someFunction, true},
      {"null function", noFunction, false},
      {"empty value", Value(), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.ToBool(), c.truth) << c.name;
}

TEST(ConversionMessageTest, NamesTheTextAndTheTarget) {
  EXPECT_EQ(ConversionErrorMessage(CONVERSION_NOT_A_NUMBER, "abc", KIND_I32),
            "cannot convert \"abc\" to i32: not a number");
  EXPECT_EQ(ConversionErrorMessage(CONVERSION_OUT_OF_RANGE, "99999999999", KIND_UI8),
            "cannot convert \"99999999999\" to ui8: out of range");
  EXPECT_EQ(ConversionErrorMessage(CONVERSION_NOT_A_NUMBER, "a\nb" + std::string(50, 'x'), KIND_DOUBLE),
            "cannot convert \"a b" + std::string(37, 'x') + "...\" to double: not a number");
}

}  // namespace
}  // namespace script
