#include "Script/Compiler/TextSerializer.h"

#include "Script/Compiler/CompiledFile.h"
#include "Script/Expressions/NodeType.h"
#include "Script/Foundation/SymbolStore.h"

namespace script {

namespace {

// Characters a string constant holds escaped, and the letter that follows
// the backslash for each.
constexpr std::string_view kEscaped = "\a\b\t\n\v\f\r\"'\\";
constexpr std::string_view kEscapeLetters = "abtnvfr\"'\\";

// The escape letter of a character inside a string constant, or 0.
char EscapeOf(char c) {
  const std::size_t at = kEscaped.find(c);
  return at == std::string_view::npos ? 0 : kEscapeLetters[at];
}

}  // namespace

bool TextSerializer::Write(const char* bytes, std::size_t length) {
  if (bytes == nullptr) return true;
  if (length < 2 || (bytes[0] != '"' && bytes[0] != '\'')) {
    Put(std::string_view(bytes, length));
    return true;
  }
  Put(bytes[0]);
  for (std::size_t k = 1; k + 1 < length; ++k) {
    if (const char escape = EscapeOf(bytes[k]); escape != 0) {
      Put('\\');
      Put(escape);
    } else {
      Put(bytes[k]);
    }
  }
  Put(std::string_view(bytes + length - 1, 1));
  return true;
}

bool TextSerializer::WriteSymbol(const SourcePosition& position) {
  if (position.symbol >= symbols_.SymbolCount()) return true;
  BreakLineIfPending();
  const std::string& text = symbols_.Symbol(position.symbol);
  return Write(text.data(), text.size());
}

bool TextSerializer::WriteToken(int32_t code) {
  const std::string_view text = compiled::OpeningText(code);
  if (text.empty()) return true;
  BreakLineIfPending();
  Put(text);
  if (code == TYPE_SCOPE) {
    Indent();
    pendingLineBreak_ = true;
  }
  return true;
}

bool TextSerializer::WriteEndToken(int32_t code) {
  if (code == TOKEN_LABEL_END) {
    Unindent();
    return true;
  }
  const std::string_view text = compiled::ClosingText(code);
  if (text.empty()) return true;
  if (pendingLineBreak_ && code != TYPE_SCOPE_END_EXPRESSION) {
    if (code == TYPE_SCOPE || code == TOKEN_SCOPE_CLOSE) Unindent();
    BreakLineIfPending();
  }
  switch (code) {
    case TYPE_SCOPE:
    case TYPE_SCOPE_END_EXPRESSION:
      pendingLineBreak_ = true;
      break;
    case TYPE_COLON:
      Indent();
      pendingLineBreak_ = true;
      break;
    case TOKEN_SCOPE_CLOSE:
      pendingLineBreak_ = false;
      break;
    default:
      break;
  }
  Put(text);
  return true;
}

void TextSerializer::WriteEndStep() {
  if (pendingLineBreak_) Put('\n');
  pendingLineBreak_ = false;
}

void TextSerializer::BreakLineIfPending() {
  if (!pendingLineBreak_) return;
  Put('\n');
  Put(indentation_);
  pendingLineBreak_ = false;
}

void TextSerializer::Unindent() {
  if (indentation_.size() >= kIndentStep.size()) indentation_.resize(indentation_.size() - kIndentStep.size());
}

}  // namespace script
