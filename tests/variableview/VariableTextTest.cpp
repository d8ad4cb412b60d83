// Value texts of the variable list: each type's form, the views, the
// character after i8 and ui8, string escapes, unresolved storage and pinned
// blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/VariableView/VariableText.h"
#include "Script/Memory/Memory.h"
#include "tests/types/TypeBuilders.h"

namespace script {
namespace {

class VariableTextTest : public testing::Test {
 protected:
  // A variable over a new block of `size` bytes holding the bytes of `value`.
  template <class T>
  ViewedVariable Holding(Type* type, T value, uint32_t size = sizeof(T)) {
    MemoryBlock* block = heap_.NewOwnedBlock(type, size);
    std::memcpy(block->Data(), &value, std::min<std::size_t>(size, sizeof value));
    return ViewedVariable{"v", type, HeldBlock(block), 0};
  }
  ViewedVariable HoldingString(const std::string& text) {
    Type* type = BuiltInType(TYPE_STRING);
    MemoryBlock* block = heap_.NewOwnedBlock(type, type->GetSize());
    *reinterpret_cast<std::string*>(block->Data()) = text;
    return ViewedVariable{"s", type, HeldBlock(block), 0};
  }

  Memory heap_;
};

struct ScalarCase {
  int32_t typeId;
  uint64_t bits;
  ViewAs view;
  const char* expected;
};

TEST_F(VariableTextTest, ScalarsByTypeAndView) {
  const ScalarCase cases[] = {
      {TYPE_I32, static_cast<uint32_t>(-5), VIEW_DEFAULT, "-5"},
      {TYPE_I32, static_cast<uint32_t>(-5), VIEW_HEX, "0xfffffffb"},
      {TYPE_I16, 5, VIEW_BINARY, "0000000000000101"},
      {TYPE_UI64, ~0ull, VIEW_DEFAULT, "18446744073709551615"},
      {TYPE_BOOL, 1, VIEW_DEFAULT, "true"},
      {TYPE_BOOL, 0, VIEW_HEX, "0x00"},
      // The character follows in every view.
      {TYPE_UI8, 65, VIEW_DEFAULT, "65 'A'"},
      {TYPE_UI8, 65, VIEW_HEX, "0x41 'A'"},
      {TYPE_UI8, 65, VIEW_BINARY, "01000001 'A'"},
      {TYPE_UI8, 0, VIEW_DEFAULT, "0 '\\0'"},
      {TYPE_I8, 10, VIEW_DEFAULT, "10 '\\n'"},
      {TYPE_I8, 7, VIEW_DEFAULT, "7 '\\a'"},
      {TYPE_I8, 13, VIEW_DEFAULT, "13 '\\r'"},
      {TYPE_UI8, 1, VIEW_DEFAULT, "1 '\\x01'"},
      {TYPE_UI8, 0x1b, VIEW_DEFAULT, "27 '\\x1b'"},
      {TYPE_UI8, 0x7f, VIEW_DEFAULT, "127 '\\x7f'"},
      {TYPE_I8, 0xff, VIEW_DEFAULT, "-1 '\\xff'"},
      {TYPE_UI8, '\'', VIEW_DEFAULT, "39 '\\''"},
      {TYPE_UI8, '"', VIEW_DEFAULT, "34 '\\\"'"},
      {TYPE_UI8, '\\', VIEW_DEFAULT, "92 '\\\\'"},
      {TYPE_UI8, ' ', VIEW_DEFAULT, "32 ' '"},
  };
  for (const ScalarCase& c : cases) {
    ViewedVariable variable = Holding(BuiltInType(c.typeId), c.bits);
    EXPECT_EQ(c.expected, ValueText(variable, c.view)) << c.typeId << " " << c.bits << " view " << c.view;
  }
}

TEST_F(VariableTextTest, FloatingPointAndFunctionReferencesIgnoreTheView) {
  for (ViewAs view : {VIEW_DEFAULT, VIEW_HEX, VIEW_BINARY}) {
    EXPECT_EQ("1.5", ValueText(Holding(BuiltInType(TYPE_FLOAT), 1.5f), view));
    EXPECT_EQ("0.1", ValueText(Holding(BuiltInType(TYPE_DOUBLE), 0.1), view));
  }
  FunctionRefType function(SourcePosition{}, nullptr);
  EXPECT_EQ("0x0000000000001234", ValueText(Holding(&function, uintptr_t{0x1234}), VIEW_BINARY));
  EXPECT_EQ("<null>", ValueText(Holding(&function, uintptr_t{0}), VIEW_DEFAULT)) << "a null function reference";
}

TEST_F(VariableTextTest, StringsAreQuotedAndEscaped) {
  EXPECT_EQ("\"\"", ValueText(HoldingString(""), VIEW_HEX));
  EXPECT_EQ(R"("a\nb\t\"q\" \'x\' \\ \a\b\v\f\r")",
            ValueText(HoldingString("a\nb\t\"q\" 'x' \\ \a\b\v\f\r"), VIEW_DEFAULT));
  EXPECT_EQ("\"\x01\xc3\xa9\"", ValueText(HoldingString("\x01\xc3\xa9"), VIEW_DEFAULT))
      << "other characters stay as they are";
}

TEST_F(VariableTextTest, ContainersShowAnEllipsis) {
  AggregateType point(SourcePosition{}, nullptr);
  test::AddMember(point, TYPE_I32, 0, {1});
  ASSERT_TRUE(point.ComputeLayout());
  std::unique_ptr<ArrayType> bytes(test::MakeArray(new Type(TYPE_UI8, SourcePosition{}, nullptr), {4}));
  Type library(TYPE_LIB, SourcePosition{}, nullptr);
  Type error(TYPE_ERROR_TYPE, SourcePosition{}, nullptr);
  for (Type* type : {static_cast<Type*>(&point), static_cast<Type*>(bytes.get()), &library, &error}) {
    EXPECT_EQ("<...>", ValueText(Holding(type, uint64_t{0}), VIEW_HEX)) << type->TypeId();
  }
}

TEST_F(VariableTextTest, UnresolvedStorageIsNull) {
  Type* i32 = BuiltInType(TYPE_I32);
  EXPECT_EQ("<null>", ValueText(ViewedVariable{"v", i32, nullptr, 0}, VIEW_DEFAULT)) << "no block";
  ViewedVariable untyped = Holding(i32, 1);
  untyped.type = nullptr;
  EXPECT_EQ("<null>", ValueText(untyped, VIEW_DEFAULT)) << "no type";
  EXPECT_EQ("<null>", ValueText(Holding(i32, int16_t{1}), VIEW_DEFAULT)) << "an i32 over two bytes";
  ViewedVariable beyond = Holding(i32, uint64_t{0});
  beyond.offset = 6;
  EXPECT_EQ("<null>", ValueText(beyond, VIEW_DEFAULT)) << "an i32 past the block's end";

  Type* string = BuiltInType(TYPE_STRING);
  std::string outside;
  MemoryBlock* foreign = heap_.NewForeignBlock(string, &outside, sizeof outside);
  EXPECT_EQ("<null>", ValueText(ViewedVariable{"s", string, HeldBlock(foreign), 0}, VIEW_DEFAULT))
      << "foreign bytes are no string object of the heap";
}

TEST_F(VariableTextTest, PinnedBlocksArePrefixed) {
  std::unique_ptr<ArrayType> bytes(test::MakeArray(new Type(TYPE_I8, SourcePosition{}, nullptr), {}));
  ViewedVariable number = Holding(BuiltInType(TYPE_UI8), uint8_t{66});
  ViewedVariable array = Holding(static_cast<Type*>(bytes.get()), 0);
  number.block->Lock();
  array.block->Lock();
  EXPECT_EQ("LOCKED: 66 'B'", ValueText(number, VIEW_DEFAULT));
  EXPECT_EQ("LOCKED: 0x42 'B'", ValueText(number, VIEW_HEX));
  EXPECT_EQ("LOCKED: <...>", ValueText(array, VIEW_DEFAULT));
  EXPECT_EQ("<null>", ValueText(ViewedVariable{"v", BuiltInType(TYPE_I64), HoldBlock(number.block.get()), 0},
                                VIEW_DEFAULT))
      << "unresolved storage has no prefix";
  // A pinned block is never freed.
  number.block->Unlock();
  array.block->Unlock();
}

}  // namespace
}  // namespace script
