// The process-wide built-in type table.
#include <gtest/gtest.h>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/Type.h"

namespace script {
namespace {

TEST(BuiltInTypesTest, OneSingletonPerBasicTypeNamedByItsKeyword) {
  SymbolStore symbols;
  const char* keywords[] = {"bool", "i8",   "ui8",  "i16",   "ui16",   "i32",
                            "ui32", "i64",  "ui64", "float", "double", "string"};
  for (int32_t id = TYPE_BOOL; id <= TYPE_STRING; ++id) {
    Type* type = BuiltInType(id);
    ASSERT_NE(type, nullptr) << NodeTypeName(id);
    EXPECT_EQ(type, BuiltInType(id));
    EXPECT_EQ(type->TypeId(), id);
    EXPECT_EQ(type->GetName(symbols), keywords[id - TYPE_BOOL]);
    EXPECT_EQ(type->ReferenceMode(), 0u);
    EXPECT_EQ(type->Parent(), nullptr);
    EXPECT_TRUE(IsBuiltInType(type));
  }
  for (int32_t id : std::initializer_list<int32_t>{TYPE_NONE, TYPE_QUOTATION_MARK, TYPE_CONST_BOOL, TYPE_ARRAY, TYPE_AGGREGATE_TYPE, TYPE_ERROR_TYPE, 200}) {
    EXPECT_EQ(BuiltInType(id), nullptr) << id;
  }
  Type i32(TYPE_I32, {}, nullptr);
  EXPECT_FALSE(IsBuiltInType(&i32));
  EXPECT_FALSE(IsBuiltInType(nullptr));
}

}  // namespace
}  // namespace script
