#include <gtest/gtest.h>

#include "Script/Expressions/NodeType.h"

namespace script {
namespace {

TEST(NodeTypeTest, Names) {
  EXPECT_EQ("TYPE_NONE", NodeTypeName(0));
  EXPECT_EQ("UNKNOWN", NodeTypeName(5));
  EXPECT_EQ("UNKNOWN", NodeTypeName(94));
  EXPECT_EQ("UNKNOWN", NodeTypeName(200));
  EXPECT_EQ("UNKNOWN", NodeTypeName(-1));
  EXPECT_EQ("TYPE_PRE_POST_EXPRESSIONS", NodeTypeName(114));
  EXPECT_EQ("TYPE_SCOPE", NodeTypeName(TYPE_SCOPE));
}

TEST(NodeTypeTest, KindOfRelation) {
  struct Case {
    int32_t actual, kind;
    bool expected;
  };
  const Case cases[] = {
      {66, 66, true},  {66, 59, false}, {65, 59, true},  {65, 97, true},  {7, 2, true},   {89, 97, true},
      {2, 7, false},   {72, 71, true},  {72, 70, true},  {104, 70, true}, {111, 70, true}, {71, 72, false},
      {31, 9, false},  {30, 9, true},   {54, 9, true},   {52, 113, true}, {99, 112, true}, {112, 113, true},
      {90, 100, true}, {100, 2, true},  {1, 0, true},    {0, 1, false},   {67, 0, false}, {200, 0, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, IsKindOf(c.actual, c.kind)) << c.actual << " of " << c.kind;
}

TEST(NodeTypeTest, PrecedenceAndAssociativity) {
  EXPECT_EQ(0, Precedence(TYPE_POST_INC_OP));
  EXPECT_EQ(1, Precedence(TYPE_NOT));
  EXPECT_EQ(2, Precedence(TYPE_MOD));
  EXPECT_EQ(3, Precedence(TYPE_SUB));
  EXPECT_EQ(11, Precedence(TYPE_OR));
  EXPECT_EQ(13, Precedence(TYPE_REF_ASSIGN));
  EXPECT_EQ(-1, Precedence(TYPE_SCOPE));
  EXPECT_EQ(ASSOC_RIGHT_TO_LEFT, AssociativityOf(TYPE_ASSIGN));
  EXPECT_EQ(ASSOC_RIGHT_TO_LEFT, AssociativityOf(TYPE_SHIFT_LEFT_ASSIGN));
  EXPECT_EQ(ASSOC_RIGHT_TO_LEFT, AssociativityOf(TYPE_BIT_NOT));
  EXPECT_EQ(ASSOC_LEFT_TO_RIGHT, AssociativityOf(TYPE_ADD));
  EXPECT_EQ(ASSOC_LEFT_TO_RIGHT, AssociativityOf(TYPE_FUNCTION_CALL));
  EXPECT_EQ(ASSOC_NONE, AssociativityOf(TYPE_INC_OP));
  EXPECT_EQ(ASSOC_NONE, AssociativityOf(TYPE_COMMA));
  EXPECT_EQ(ASSOC_NONE, AssociativityOf(TYPE_FUNCTION));
  EXPECT_EQ(ASSOC_NONE, AssociativityOf(TOKEN_BINARY));
}

TEST(NodeTypeTest, VariableLikeIds) {
  for (int32_t id = 0; id < kNodeTypeCount; ++id) {
    bool expected = id == 2 || id == 7 || id == 89 || id == 90 || id == 91 || id == 100;
    EXPECT_EQ(expected, IsVariableLike(id)) << id;
  }
}

}  // namespace
}  // namespace script
