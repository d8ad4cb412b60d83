#pragma once
// Node type ids: one numbering for token codes, node kinds and the compiled
// file, with the tables every node class shares.
#include <cstdint>
#include <string>

namespace script {

enum NodeType : int32_t {
  TYPE_NONE = 0,
  TYPE_RUNABLE = 1,
  TYPE_TOKEN = 2,
  TOKEN_HEX_PREFIX = 3,  // token class without a printed name
  TOKEN_HEX_SUFFIX = 4,  // token class without a printed name
  TOKEN_BINARY = 5,  // token class without a printed name
  TOKEN_EXPONENT = 6,  // token class without a printed name
  TYPE_CONST = 7,
  TYPE_CONST_NUM = 8,
  TYPE_OPERATOR = 9,
  TYPE_ASSIGN = 10,
  TYPE_EQ = 11,
  TYPE_ADD = 12,
  TYPE_ADD_ASSIGN = 13,
  TYPE_INC_OP = 14,
  TYPE_PRE_INC_OP = 15,
  TYPE_POST_INC_OP = 16,
  TYPE_SUB = 17,
  TYPE_SUB_ASSIGN = 18,
  TYPE_DEC_OP = 19,
  TYPE_PRE_DEC_OP = 20,
  TYPE_POST_DEC_OP = 21,
  TYPE_BIT_AND = 22,
  TYPE_BIT_AND_ASSIGN = 23,
  TYPE_AND = 24,
  TYPE_BIT_OR = 25,
  TYPE_BIT_OR_ASSIGN = 26,
  TYPE_OR = 27,
  TYPE_LESS = 28,
  TYPE_LESS_EQ = 29,
  TYPE_SHIFT_LEFT = 30,
  TYPE_SHIFT_LEFT_ASSIGN = 31,
  TYPE_GREATER = 32,
  TYPE_GREATER_EQ = 33,
  TYPE_SHIFT_RIGHT = 34,
  TYPE_SHIFT_RIGHT_ASSIGN = 35,
  TYPE_MUL = 36,
  TYPE_MUL_ASSIGN = 37,
  TYPE_DIV = 38,
  TYPE_DIV_ASSIGN = 39,
  TYPE_MOD = 40,
  TYPE_MOD_ASSIGN = 41,
  TYPE_BIT_NOT = 42,
  TYPE_BIT_NOT_ASSIGN = 43,
  TYPE_NOT = 44,
  TYPE_NOT_EQ = 45,
  TYPE_XOR = 46,
  TYPE_XOR_ASSIGN = 47,
  TYPE_REF_ASSIGN = 48,
  TYPE_SUBSCRIPT = 49,
  TYPE_PARENTHESIS = 50,
  TYPE_BASIC_SCOPE = 51,
  TYPE_SCOPE = 52,
  TYPE_CASE_SCOPE = 53,
  TYPE_DOT = 54,
  TYPE_COMMA = 55,
  TYPE_SEMICOLON = 56,
  TYPE_COLON = 57,
  TYPE_REF = 58,
  TYPE_CONDITIONAL = 59,
  TYPE_FOR = 60,
  TYPE_WHILE = 61,
  TYPE_IF = 62,
  TYPE_ELSE = 63,
  TYPE_SWITCH = 64,
  TYPE_CASE = 65,
  TYPE_DEFAULT = 66,
  TYPE_BREAK = 67,
  TYPE_CONTINUE = 68,
  TYPE_FUNCTION_CALL = 69,
  TYPE_FUNCTION = 70,
  TYPE_FUNCTION_PTR = 71,
  TYPE_FUNCTION_LIB_PTR = 72,
  TYPE_FUNCTION_CALLBACK_PTR = 73,
  TYPE_RETURN = 74,
  TYPE_FUNCTION_REF_TYPE = 75,
  TYPE_QUOTATION_MARK = 76,
  TYPE_BOOL = 77,
  TYPE_I8 = 78,
  TYPE_UI8 = 79,
  TYPE_I16 = 80,
  TYPE_UI16 = 81,
  TYPE_I32 = 82,
  TYPE_UI32 = 83,
  TYPE_I64 = 84,
  TYPE_UI64 = 85,
  TYPE_FLOAT = 86,
  TYPE_DOUBLE = 87,
  TYPE_STRING = 88,
  TYPE_CONST_BOOL = 89,
  TYPE_LIB_VAR = 90,
  TYPE_ERROR_VAR = 91,
  TYPE_SCOPE_END_EXPRESSION = 92,
  TOKEN_SCOPE_CLOSE = 93,  // token class without a printed name
  TOKEN_LABEL_END = 94,    // token class without a printed name
  TYPE_BLANK_SCOPE = 95,
  TYPE_EMPTY = 96,
  TYPE_AGGREGATE_SYMBOL = 97,
  TYPE_INCLUDE = 98,
  TYPE_LIB = 99,
  TYPE_STRUCT = 100,
  TYPE_ARRAY = 101,
  TYPE_ERROR = 102,
  TYPE_ERROR_TYPE = 103,
  TYPE_SIZEOF = 104,
  TYPE_ARR2STR = 105,
  TYPE_WARR2STR = 106,
  TYPE_STR2ARR = 107,
  TYPE_STR2WARR = 108,
  TYPE_LOCK = 109,
  TYPE_UNLOCK = 110,
  TYPE_CAST = 111,
  TYPE_AGGREGATE_TYPE = 112,
  TYPE_AGGREGATE_TYPE_COLLECTION = 113,
  TYPE_PRE_POST_EXPRESSIONS = 114,
};

inline constexpr int32_t kNodeTypeCount = 115;

// The printed name of a type id; "UNKNOWN" for ids without one.
std::string NodeTypeName(int32_t id);

// Whether a node of id `actual` may be treated as a node of id `kind`.
bool IsKindOf(int32_t actual, int32_t kind);

// True for the ids of variable-like nodes (2, 7, 89, 90, 91, 100).
bool IsVariableLike(int32_t id);

// Operator precedence, 0 binding tightest; -1 for ids that are no operator.
int32_t Precedence(int32_t id);

enum Associativity : int32_t {
  ASSOC_NONE = 0,
  ASSOC_LEFT_TO_RIGHT = 1,
  ASSOC_RIGHT_TO_LEFT = 2,
};
Associativity AssociativityOf(int32_t id);

}  // namespace script
