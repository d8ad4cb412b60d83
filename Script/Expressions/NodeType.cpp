#include "Script/Expressions/NodeType.h"

#include <array>
#include <initializer_list>

namespace script {

namespace {

constexpr const char* kNames[kNodeTypeCount] = {
    "TYPE_NONE",
    "TYPE_RUNABLE",
    "TYPE_TOKEN",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "TYPE_CONST",
    "TYPE_CONST_NUM",
    "TYPE_OPERATOR",
    "TYPE_ASSIGN",
    "TYPE_EQ",
    "TYPE_ADD",
    "TYPE_ADD_ASSIGN",
    "TYPE_INC_OP",
    "TYPE_PRE_INC_OP",
    "TYPE_POST_INC_OP",
    "TYPE_SUB",
    "TYPE_SUB_ASSIGN",
    "TYPE_DEC_OP",
    "TYPE_PRE_DEC_OP",
    "TYPE_POST_DEC_OP",
    "TYPE_BIT_AND",
    "TYPE_BIT_AND_ASSIGN",
    "TYPE_AND",
    "TYPE_BIT_OR",
    "TYPE_BIT_OR_ASSIGN",
    "TYPE_OR",
    "TYPE_LESS",
    "TYPE_LESS_EQ",
    "TYPE_SHIFT_LEFT",
    "TYPE_SHIFT_LEFT_ASSIGN",
    "TYPE_GREATER",
    "TYPE_GREATER_EQ",
    "TYPE_SHIFT_RIGHT",
    "TYPE_SHIFT_RIGHT_ASSIGN",
    "TYPE_MUL",
    "TYPE_MUL_ASSIGN",
    "TYPE_DIV",
    "TYPE_DIV_ASSIGN",
    "TYPE_MOD",
    "TYPE_MOD_ASSIGN",
    "TYPE_BIT_NOT",
    "TYPE_BIT_NOT_ASSIGN",
    "TYPE_NOT",
    "TYPE_NOT_EQ",
    "TYPE_XOR",
    "TYPE_XOR_ASSIGN",
    "TYPE_REF_ASSIGN",
    "TYPE_SUBSCRIPT",
    "TYPE_PARENTHESIS",
    "TYPE_BASIC_SCOPE",
    "TYPE_SCOPE",
    "TYPE_CASE_SCOPE",
    "TYPE_DOT",
    "TYPE_COMMA",
    "TYPE_SEMICOLON",
    "TYPE_COLON",
    "TYPE_REF",
    "TYPE_CONDITIONAL",
    "TYPE_FOR",
    "TYPE_WHILE",
    "TYPE_IF",
    "TYPE_ELSE",
    "TYPE_SWITCH",
    "TYPE_CASE",
    "TYPE_DEFAULT",
    "TYPE_BREAK",
    "TYPE_CONTINUE",
    "TYPE_FUNCTION_CALL",
    "TYPE_FUNCTION",
    "TYPE_FUNCTION_PTR",
    "TYPE_FUNCTION_LIB_PTR",
    "TYPE_FUNCTION_CALLBACK_PTR",
    "TYPE_RETURN",
    "TYPE_FUNCTION_REF_TYPE",
    "TYPE_QUOTATION_MARK",
    "TYPE_BOOL",
    "TYPE_I8",
    "TYPE_UI8",
    "TYPE_I16",
    "TYPE_UI16",
    "TYPE_I32",
    "TYPE_UI32",
    "TYPE_I64",
    "TYPE_UI64",
    "TYPE_FLOAT",
    "TYPE_DOUBLE",
    "TYPE_STRING",
    "TYPE_CONST_BOOL",
    "TYPE_LIB_VAR",
    "TYPE_ERROR_VAR",
    "TYPE_SCOPE_END_EXPRESSION",
    nullptr,
    nullptr,
    "TYPE_BLANK_SCOPE",
    "TYPE_EMPTY",
    "TYPE_AGGREGATE_SYMBOL",
    "TYPE_INCLUDE",
    "TYPE_LIB",
    "TYPE_STRUCT",
    "TYPE_ARRAY",
    "TYPE_ERROR",
    "TYPE_ERROR_TYPE",
    "TYPE_SIZEOF",
    "TYPE_ARR2STR",
    "TYPE_WARR2STR",
    "TYPE_STR2ARR",
    "TYPE_STR2WARR",
    "TYPE_LOCK",
    "TYPE_UNLOCK",
    "TYPE_CAST",
    "TYPE_AGGREGATE_TYPE",
    "TYPE_AGGREGATE_TYPE_COLLECTION",
    "TYPE_PRE_POST_EXPRESSIONS"};

// Bit set of the ids each id is also a kind of, built from the relation's rows.
struct KindTable {
  std::array<std::array<bool, kNodeTypeCount>, kNodeTypeCount> also{};

  void Row(std::initializer_list<int32_t> actual, std::initializer_list<int32_t> kinds) {
    for (int32_t a : actual)
      for (int32_t k : kinds) also[a][k] = true;
  }
  void RowRange(int32_t first, int32_t last, std::initializer_list<int32_t> kinds) {
    for (int32_t a = first; a <= last; ++a)
      for (int32_t k : kinds) also[a][k] = true;
  }

  KindTable() {
    Row({1}, {0});
    Row({2, 58, 69, 70, 73, 114}, {0, 1});
    Row({71}, {0, 1, 70});
    RowRange(104, 111, {0, 1, 70});
    Row({72}, {0, 1, 70, 71});
    Row({7, 89}, {0, 1, 2, 7, 89, 97});
    RowRange(9, 30, {0, 1, 9});
    RowRange(32, 34, {0, 1, 9});
    RowRange(36, 42, {0, 1, 9});
    RowRange(44, 50, {0, 1, 9});
    Row({54}, {0, 1, 9});
    Row({60, 61, 62, 64}, {0, 1, 59});
    Row({65}, {0, 1, 59, 97});
    Row({52, 75, 101, 112}, {0, 1, 113});
    RowRange(77, 88, {0, 1, 113});
    Row({90, 91}, {0, 1, 2, 100});
    Row({99, 103}, {0, 1, 112, 113});
    Row({100}, {0, 1, 2});
  }
};

const KindTable kKinds;

bool InTable(int32_t id) { return id >= 0 && id < kNodeTypeCount; }

}  // namespace

std::string NodeTypeName(int32_t id) {
  const char* name = InTable(id) ? kNames[id] : nullptr;
  return name != nullptr ? name : "UNKNOWN";
}

bool IsKindOf(int32_t actual, int32_t kind) {
  if (actual == kind) return true;
  return InTable(actual) && InTable(kind) && kKinds.also[actual][kind];
}

bool IsVariableLike(int32_t id) {
  switch (id) {
    case TYPE_TOKEN:
    case TYPE_CONST:
    case TYPE_CONST_BOOL:
    case TYPE_LIB_VAR:
    case TYPE_ERROR_VAR:
    case TYPE_STRUCT:
      return true;
    default:
      return false;
  }
}

int32_t Precedence(int32_t id) {
  switch (id) {
    case 16: case 21: case 49: case 50: case 54: case 69:
      return 0;
    case 15: case 20: case 42: case 44:
      return 1;
    case 36: case 38: case 40:
      return 2;
    case 12: case 17:
      return 3;
    case 30: case 34:
      return 4;
    case 28: case 29: case 32: case 33:
      return 5;
    case 11: case 45:
      return 6;
    case 22:
      return 7;
    case 46:
      return 8;
    case 25:
      return 9;
    case 24:
      return 10;
    case 27:
      return 11;
    case 10: case 13: case 18: case 23: case 26: case 31: case 35: case 37: case 39: case 41: case 47: case 48:
      return 13;
    default:
      return -1;
  }
}

Associativity AssociativityOf(int32_t id) {
  if (Precedence(id) == 13) return ASSOC_RIGHT_TO_LEFT;
  switch (id) {
    case 15: case 20: case 42: case 44:
      return ASSOC_RIGHT_TO_LEFT;
    case 14: case 19: case 43: case 51: case 52: case 53:
      return ASSOC_NONE;
    default:
      break;
  }
  if (id < 10 || id >= 70 || (id >= 55 && id <= 68)) return ASSOC_NONE;
  return ASSOC_LEFT_TO_RIGHT;
}

}  // namespace script
