#include "Script/Foundation/SymbolStore.h"

namespace script {

namespace {

// The predefined symbols in id order.
constexpr const char* kPredefinedSymbols[] = {
    "", "()", "(", "[]", "[", ")", "{", "}", "]",
    "+", "++", "+=", "-", "--", "-=", "&", "&&", "&=", "|", "||", "|=", "<", "<<", "<=", "<<=",
    ">", ">>", ">=", ">>=", "*", "*=", "/", "/=", "%", "%=", "~", "^", "^=", "!", "!=", "=", "==",
    "@=", ";", ",", ".", ":", "@",
    "bool", "i8", "ui8", "i16", "ui16", "i32", "ui32", "i64", "ui64", "float", "double", "string",
    "true", "false",
    "function", "return", "for", "if", "else", "while", "break", "switch", "case", "default",
    "continue", "include", "lib", "struct", "array", "error",
    "name", "line", "position", "trace", "symbol"};
static_assert(std::size(kPredefinedSymbols) == SymbolStore::kLastPredefined + 1);

const std::string kEmpty;

}  // namespace

uint32_t InternTable::Intern(std::string_view text) {
  auto found = indices_.find(text);
  if (found != indices_.end()) return found->second;
  uint32_t index = static_cast<uint32_t>(texts_.size());
  const std::string& stored = texts_.emplace_back(text);
  indices_.emplace(stored, index);
  return index;
}

int64_t InternTable::Find(std::string_view text) const {
  auto found = indices_.find(text);
  return found == indices_.end() ? -1 : static_cast<int64_t>(found->second);
}

const std::string& InternTable::At(uint32_t index) const { return index < texts_.size() ? texts_[index] : kEmpty; }

void InternTable::Clear() {
  indices_.clear();
  texts_.clear();
}

SymbolStore::SymbolStore() { Reset(); }

void SymbolStore::Reset() {
  symbols_.Clear();
  for (const char* text : kPredefinedSymbols) symbols_.Intern(text);
  predefinedCount_ = kLastPredefined;
}

}  // namespace script
