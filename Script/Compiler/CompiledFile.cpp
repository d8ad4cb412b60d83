#include "Script/Compiler/CompiledFile.h"

#include <cctype>
#include <string>

#include "Script/Compiler/Reader.h"
#include "Script/Expressions/NodeType.h"

namespace script::compiled {

std::size_t EncodeId(uint32_t id, unsigned char* out) {
  // The two top bits of the first byte give the length; the value follows
  // most significant byte first.
  std::size_t length = id < (1u << 6) ? 1 : id < (1u << 14) ? 2 : id < (1u << 22) ? 3 : id <= kMaxSymbolId ? 4 : 0;
  for (std::size_t k = 0; k < length; ++k) out[k] = static_cast<unsigned char>(id >> (8 * (length - 1 - k)));
  if (length != 0) out[0] = static_cast<unsigned char>(out[0] | ((length - 1) << 6));
  return length;
}

std::size_t DecodeId(const unsigned char* data, const unsigned char* end, uint32_t& id) {
  if (data >= end) return 0;
  const std::size_t length = (data[0] >> 6) + 1u;
  if (static_cast<std::size_t>(end - data) < length) return 0;
  id = data[0] & 0x3Fu;
  for (std::size_t k = 1; k < length; ++k) id = (id << 8) | data[k];
  return length;
}

std::string_view OpeningText(int32_t code) {
  switch (code) {
    case TYPE_LESS: return "<";
    case TYPE_SUBSCRIPT: return "[";
    case TYPE_PARENTHESIS: return "(";
    case TYPE_SCOPE: return "{";
    case TYPE_DOT: return ".";
    case TYPE_COMMA: return ",";
    case TYPE_COLON: return ":";
    case TYPE_ELSE: return "else";
    case TYPE_FUNCTION:
    case TYPE_FUNCTION_REF_TYPE: return "function";
    case TYPE_RETURN: return "return";
    case TYPE_QUOTATION_MARK: return "\"";
    case TYPE_BOOL: return "bool";
    case TYPE_I8: return "i8";
    case TYPE_UI8: return "ui8";
    case TYPE_I16: return "i16";
    case TYPE_UI16: return "ui16";
    case TYPE_I32: return "i32";
    case TYPE_UI32: return "ui32";
    case TYPE_I64: return "i64";
    case TYPE_UI64: return "ui64";
    case TYPE_FLOAT: return "float";
    case TYPE_DOUBLE: return "double";
    case TYPE_STRING: return "string";
    case TYPE_EMPTY: return " ";
    case TYPE_LIB: return "lib";
    case TYPE_ARRAY: return "array";
    case TYPE_ERROR: return "error";
    case TYPE_AGGREGATE_TYPE: return "struct";
    default: return {};
  }
}

std::string_view ClosingText(int32_t code) {
  switch (code) {
    case TYPE_GREATER: return ">";
    case TYPE_SUBSCRIPT: return "]";
    case TYPE_PARENTHESIS: return ")";
    case TYPE_SCOPE:
    case TOKEN_SCOPE_CLOSE: return "}";
    case TYPE_COMMA: return ",";
    case TYPE_SEMICOLON:
    case TYPE_SCOPE_END_EXPRESSION: return ";";
    case TYPE_COLON: return ":";
    default: return {};
  }
}

bool IsTokenText(std::string_view text) {
  if (text.empty()) return false;
  if ((text.front() == '"' || text.front() == '\'') && text.size() >= 2) return text.back() == text.front();
  const std::string key(text);
  if (KeywordTable().contains(key) || OperatorTable().contains(key)) return true;
  for (char c : text) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

int32_t TokenCodeOf(std::string_view text) {
  if (text.empty()) return TYPE_NONE;
  const std::string key(text);
  if (auto keyword = KeywordTable().find(key); keyword != KeywordTable().end()) return keyword->second;
  if (auto op = OperatorTable().find(key); op != OperatorTable().end()) return op->second;
  ErrorCode ignored = ErrorCode::NO_ERROR;
  const int32_t code = WordCode(text, ignored);
  if (code == TYPE_NONE && (text.front() == '"' || text.front() == '\'')) return TYPE_CONST;
  return code;
}

}  // namespace script::compiled
