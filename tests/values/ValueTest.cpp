// Value storage, assignment between kinds and the text forms.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/Value.h"
#include "tests/values/ValueBuilders.h"

namespace script {
namespace {

using namespace script::test;

class ValueTest : public ::testing::Test {
 protected:
  // A value over new owned storage of the type, as a variable's slot is.
  Value Variable(Type* type, uint32_t size) {
    Value value;
    value.AdoptRef(heap_.NewOwnedRef(type, size), type);
    return value;
  }
  Value Variable(Type* type) { return Variable(type, type->GetSize()); }
  // An array of ui8 with one dimension, or none for a dynamic array.
  ArrayType* Bytes(std::vector<uint32_t> dimensions) {
    auto* array = new ArrayType(SourcePosition{}, nullptr);
    array->SetElementType(new Type(TYPE_UI8, {}, array));
    for (uint32_t dimension : dimensions) array->AddDimension(dimension, {});
    types_.emplace_back(array);
    return array;
  }
  static std::string BytesOf(const Value& value, std::size_t count) {
    return std::string(reinterpret_cast<const char*>(value.StoragePointer()), count);
  }

  Memory heap_;
  std::vector<std::unique_ptr<Type>> types_;
};

TEST_F(ValueTest, ScalarTemporariesNeedNoBlock) {
  Value value = I32(7);
  EXPECT_TRUE(value.IsInline());
  EXPECT_EQ(value.Ref(), nullptr);
  EXPECT_EQ(value.GetType(), BuiltInType(TYPE_I32));
  EXPECT_EQ(value.Kind(), KIND_I32);
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
  Value copy = value;
  copy.SetI32(8);
  EXPECT_EQ(value.ToText(), "7") << "an inline copy is independent";
}

TEST_F(ValueTest, MaterializeMovesTheBytesIntoAnOwnedBlock) {
  Value value = I16(-300);
  MemoryBlockRef* ref = value.Materialize(heap_);
  ASSERT_NE(ref, nullptr);
  EXPECT_FALSE(value.IsInline());
  EXPECT_EQ(value.Ref(), ref);
  EXPECT_EQ(ref->Block()->Size(), 2u);
  EXPECT_EQ(ref->GetType(), BuiltInType(TYPE_I16));
  EXPECT_EQ(value.ToText(), "-300");
  EXPECT_EQ(value.Materialize(heap_), ref);
  value.Reset();
  EXPECT_EQ(heap_.LiveBlockCount(), 0u);
}

TEST_F(ValueTest, CopiesShareBlockStorage) {
  Type i32(TYPE_I32, {}, nullptr);
  Value variable = Variable(&i32);
  Value copy = variable;
  EXPECT_EQ(copy.Ref(), variable.Ref());
  EXPECT_EQ(variable.Ref()->RefCount(), 2u);
  EXPECT_EQ(copy.Assign(I32(5)), CONVERSION_OK);
  EXPECT_EQ(variable.ToText(), "5");
  Value moved = std::move(copy);
  EXPECT_EQ(copy.Kind(), KIND_NONE);
  EXPECT_EQ(variable.Ref()->RefCount(), 2u);
}

TEST_F(ValueTest, EnsureStorageGivesStringsABlockHoldingAnEmptyString) {
  Value value;
  value.EnsureStorage(BuiltInType(TYPE_STRING), &heap_);
  ASSERT_NE(value.Ref(), nullptr);
  ASSERT_NE(value.StringObject(), nullptr);
  EXPECT_TRUE(value.StringObject()->empty());
  EXPECT_EQ(value.DataPointer(), reinterpret_cast<uint8_t*>(value.StringObject()->data()));
  EXPECT_EQ(value.ToText(), "");
  value.EnsureStorage(BuiltInType(TYPE_I32), &heap_);
  EXPECT_EQ(value.Kind(), KIND_STRING) << "existing storage is kept";
}

TEST_F(ValueTest, SetStringIgnoresANullPointer) {
  Value value = I32(3);
  value.SetString(heap_, nullptr, 5);
  EXPECT_EQ(value.Kind(), KIND_I32);
  value.SetString(heap_, "abcdef", 3);
  EXPECT_EQ(value.ToText(), "abc");
  EXPECT_EQ(value.GetType(), BuiltInType(TYPE_STRING));
}

TEST_F(ValueTest, AssignConvertsToTheTargetKind) {
  struct Case {
    std::string name;
    int32_t targetType;
    Value source;
    std::string text;  // the target's text afterwards
  };
  const std::vector<Case> cases = {
      {"ui32 300 into i8", TYPE_I8, UI32(300), "44"},
      {"double -2.7 into i32", TYPE_I32, Double(-2.7), "-2"},
      {"digits then letters into i32", TYPE_I32, Str(heap_, "12ab"), "12"},
      {"42 into string", TYPE_STRING, I32(42), "42"},
      {"true into string", TYPE_STRING, Bool(true), "true"},
      {"i8 -5 into string", TYPE_STRING, I8(-5), "-5"},
      {"double into string", TYPE_STRING, Double(2.5), "2.5"},
      {"double 0.5 into bool", TYPE_BOOL, Double(0.5), "false"},
      {"string 0 into bool", TYPE_BOOL, Str(heap_, "0"), "true"},
      {"string false into bool", TYPE_BOOL, Str(heap_, "false"), "false"},
      {"string into double", TYPE_DOUBLE, Str(heap_, " 1.25e2 "), "125"},
      {"i64 into float", TYPE_FLOAT, I64(-3), "-3"},
  };
  for (const Case& c : cases) {
    Type type(c.targetType, {}, nullptr);
    Value target = Variable(&type);
    EXPECT_EQ(target.Assign(c.source), CONVERSION_OK) << c.name;
    EXPECT_EQ(target.ToText(), c.text) << c.name;
  }
}

TEST_F(ValueTest, FailedStringConversionLeavesTheTargetAndReportsWhy) {
  Type i32(TYPE_I32, {}, nullptr);
  Value target = Variable(&i32);
  ASSERT_EQ(target.Assign(I32(17)), CONVERSION_OK);
  Value letters = Str(heap_, "abc");
  EXPECT_EQ(target.Assign(letters), CONVERSION_NOT_A_NUMBER);
  EXPECT_EQ(target.Assign(Str(heap_, "5000000000")), CONVERSION_OUT_OF_RANGE);
  EXPECT_EQ(target.ToText(), "17");
}

TEST_F(ValueTest, EmptyTargetTakesTheSourceTypeAndAnIndependentCopy) {
  Type i32(TYPE_I32, {}, nullptr);
  Value variable = Variable(&i32);
  variable.Assign(I32(9));
  Value target;
  EXPECT_EQ(target.Assign(variable), CONVERSION_OK);
  EXPECT_EQ(target.GetType(), &i32);
  EXPECT_EQ(target.Kind(), KIND_I32);
  variable.Assign(I32(10));
  EXPECT_EQ(target.ToText(), "9");

  Value text;
  text.Assign(Str(heap_, "hello"));
  EXPECT_EQ(text.ToText(), "hello");
  EXPECT_NE(text.Ref(), nullptr);
}

TEST_F(ValueTest, StringFromByteArrayStopsAtTheFirstNul) {
  ArrayType* ten = Bytes({10});
  Value array = Variable(ten);
  std::memcpy(array.StoragePointer(), "hi", 2);
  Value target = Str(heap_, "xyz");
  target.Assign(array);
  EXPECT_EQ(target.ToText(), "hi");

  std::memset(array.StoragePointer(), 'a', 10);
  target.Assign(array);
  EXPECT_EQ(target.ToText(), std::string(10, 'a')) << "at most the array's slot size";

  // Without fixed dimensions the bytes run to the end of the block, here from
  // an offset into it.
  ArrayType* dynamic = Bytes({});
  MemoryBlockRef* whole = heap_.NewOwnedRef(dynamic, 8);
  std::memcpy(whole->Data(), "abcdefgh", 8);
  MemoryBlockRef* tail = heap_.NewRef(dynamic, whole->Block(), 5);
  Value part(tail, dynamic);
  tail->Release();
  whole->Release();
  target.Assign(part);
  EXPECT_EQ(target.ToText(), "fgh");
}

TEST_F(ValueTest, ByteArrayFromString) {
  struct Case {
    std::string name;
    std::vector<uint32_t> dimensions;
    uint32_t blockSize;
    std::string text;
    std::string bytes;  // the whole storage afterwards, from 'x' filler
  };
  const std::vector<Case> cases = {
      {"short text gets its NUL and one more", {6}, 6, "hi", std::string("hi\0\0xx", 6)},
      {"text filling all but one byte", {3}, 3, "hi", std::string("hi\0", 3)},
      {"long text is cut without NUL", {4}, 4, "hello", "hell"},
      {"dynamic array up to the block end", {}, 5, "hi", std::string("hi\0xx", 5)},
      {"empty text", {3}, 3, "", std::string("\0\0x", 3)},
  };
  for (const Case& c : cases) {
    ArrayType* type = Bytes(c.dimensions);
    Value array = Variable(type, c.blockSize);
    std::memset(array.StoragePointer(), 'x', c.blockSize);
    EXPECT_EQ(array.Assign(Str(heap_, c.text)), CONVERSION_OK) << c.name;
    EXPECT_EQ(BytesOf(array, c.blockSize), c.bytes) << c.name;
  }
}

TEST_F(ValueTest, ArrayFromArrayCopiesTheSmallerExtent) {
  Value four = Variable(Bytes({4}));
  Value two = Variable(Bytes({2}));
  std::memcpy(two.StoragePointer(), "ab", 2);
  std::memcpy(four.StoragePointer(), "wxyz", 4);
  four.Assign(two);
  EXPECT_EQ(BytesOf(four, 4), "abyz");
  std::memcpy(four.StoragePointer(), "1234", 4);
  two.Assign(four);
  EXPECT_EQ(BytesOf(two, 2), "12");
}

TEST_F(ValueTest, FunctionReferencesCopyTheirAddress) {
  Type functionRef(TYPE_FUNCTION_REF_TYPE, {}, nullptr);
  const void* address = &functionRef;
  Value source;
  source.SetScalar(&functionRef, &address);
  Value target = Variable(&functionRef);
  EXPECT_EQ(target.Assign(source), CONVERSION_OK);
  EXPECT_EQ(std::memcmp(target.StoragePointer(), &address, sizeof address), 0);
}

TEST_F(ValueTest, TextForms) {
  struct Case {
    std::string name;
    Value value;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"true", Bool(true), "true"},
      {"false", Bool(false), "false"},
      {"i8 is a number", I8(-65), "-65"},
      {"ui8", UI8(200), "200"},
      {"i64 lowest", I64(std::numeric_limits<int64_t>::min()), "-9223372036854775808"},
      {"ui64 highest", UI64(std::numeric_limits<uint64_t>::max()), "18446744073709551615"},
      {"float", Float(0.1f), "0.1"},
      {"double large", Double(1e20), "1e+20"},
      {"double precision six", Double(3.14159265), "3.14159"},
      {"string", Str(heap_, "a b"), "a b"},
      {"empty value", Value(), "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.ToText(), c.text) << c.name;
  Type structure(TYPE_AGGREGATE_TYPE, {}, nullptr);
  EXPECT_EQ(Variable(&structure, 4).ToText(), "0");
}

TEST_F(ValueTest, HexAndBinaryTexts) {
  Type functionRef(TYPE_FUNCTION_REF_TYPE, {}, nullptr);
  const uintptr_t address = 0x1234;
  const uintptr_t none = 0;
  Value function;
  function.SetScalar(&functionRef, &address);
  Value nullFunction;
  nullFunction.SetScalar(&functionRef, &none);
  struct Case {
    std::string name;
    Value value;
    std::string hex;
    std::string binary;
  };
  const std::vector<Case> cases = {
      {"i16 -1", I16(-1), "0xffff", "1111111111111111"},
      {"ui8 5", UI8(5), "0x05", "00000101"},
      {"i32 255", I32(255), "0x000000ff", "00000000000000000000000011111111"},
      {"bool", Bool(true), "0x01", "00000001"},
      {"ui64", UI64(0xFEDCBA9876543210ull), "0xfedcba9876543210",
       "1111111011011100101110101001100001110110010101000011001000010000"},
      {"function", function, "0x0000000000001234",
       "0000000000000000000000000000000000000000000000000001001000110100"},
      {"null function", nullFunction, "<null>", "<null>"},
      {"no type", Value(), "<null>", "<null>"},
  };
  for (const Case& c : cases) {
    std::string hex;
    std::string binary;
    EXPECT_TRUE(c.value.ToHexText(hex)) << c.name;
    EXPECT_TRUE(c.value.ToBinaryText(binary)) << c.name;
    EXPECT_EQ(hex, c.hex) << c.name;
    EXPECT_EQ(binary, c.binary) << c.name;
  }
  std::string text = "kept";
  EXPECT_FALSE(Str(heap_, "1").ToHexText(text));
  EXPECT_FALSE(Double(1.0).ToBinaryText(text));
  EXPECT_EQ(text, "kept");
}

}  // namespace
}  // namespace script
