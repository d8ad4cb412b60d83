#include "Script/Compiler/CompiledFile.h"

#include <array>
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

namespace {

using Spellings = std::array<std::string_view, kNodeTypeCount>;

constexpr Spellings kOpeningTexts = [] {
  Spellings texts{};
  texts[TYPE_LESS] = "<";
  texts[TYPE_SUBSCRIPT] = "[";
  texts[TYPE_PARENTHESIS] = "(";
  texts[TYPE_SCOPE] = "{";
  texts[TYPE_DOT] = ".";
  texts[TYPE_COMMA] = ",";
  texts[TYPE_COLON] = ":";
  texts[TYPE_ELSE] = "else";
  texts[TYPE_FUNCTION] = "function";
  texts[TYPE_FUNCTION_REF_TYPE] = "function";
  texts[TYPE_RETURN] = "return";
  texts[TYPE_QUOTATION_MARK] = "\"";
  texts[TYPE_BOOL] = "bool";
  texts[TYPE_I8] = "i8";
  texts[TYPE_UI8] = "ui8";
  texts[TYPE_I16] = "i16";
  texts[TYPE_UI16] = "ui16";
  texts[TYPE_I32] = "i32";
  texts[TYPE_UI32] = "ui32";
  texts[TYPE_I64] = "i64";
  texts[TYPE_UI64] = "ui64";
  texts[TYPE_FLOAT] = "float";
  texts[TYPE_DOUBLE] = "double";
  texts[TYPE_STRING] = "string";
  texts[TYPE_EMPTY] = " ";
  texts[TYPE_LIB] = "lib";
  texts[TYPE_ARRAY] = "array";
  texts[TYPE_ERROR] = "error";
  texts[TYPE_AGGREGATE_TYPE] = "struct";
  return texts;
}();

constexpr Spellings kClosingTexts = [] {
  Spellings texts{};
  texts[TYPE_GREATER] = ">";
  texts[TYPE_SUBSCRIPT] = "]";
  texts[TYPE_PARENTHESIS] = ")";
  texts[TYPE_SCOPE] = "}";
  texts[TOKEN_SCOPE_CLOSE] = "}";
  texts[TYPE_COMMA] = ",";
  texts[TYPE_SEMICOLON] = ";";
  texts[TYPE_SCOPE_END_EXPRESSION] = ";";
  texts[TYPE_COLON] = ":";
  return texts;
}();

std::string_view Spelling(const Spellings& texts, int32_t code) {
  return code >= 0 && code < kNodeTypeCount ? texts[static_cast<std::size_t>(code)] : std::string_view();
}

}  // namespace

std::string_view OpeningText(int32_t code) { return Spelling(kOpeningTexts, code); }

std::string_view ClosingText(int32_t code) { return Spelling(kClosingTexts, code); }

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
