#include "Script/Compiler/ScriptReader.h"

#include <array>

#include "Script/Compiler/InterpreterIf.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/NodeType.h"

namespace script {
namespace {

constexpr const char* kOnRead = "script::ScriptReader::OnRead";
constexpr const char* kProcessToken = "script::ScriptReader::ProcessToken";
constexpr const char* kProcessOperator = "script::ScriptReader::ProcessOperator";
constexpr const char* kSkipLongComment = "script::ScriptReader::SkipLongComment";
constexpr const char* kEndConstString = "script::ScriptReader::EndConstString";

bool IsWordChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Base token code of each operator character; 0 for characters that start no operator.
constexpr std::array<int8_t, 256> kOperatorBase = [] {
  std::array<int8_t, 256> base{};
  base['='] = TYPE_ASSIGN;
  base['+'] = TYPE_ADD;
  base['-'] = TYPE_SUB;
  base['&'] = TYPE_BIT_AND;
  base['|'] = TYPE_BIT_OR;
  base['<'] = TYPE_LESS;
  base['>'] = TYPE_GREATER;
  base['*'] = TYPE_MUL;
  base['/'] = TYPE_DIV;
  base['%'] = TYPE_MOD;
  base['~'] = TYPE_BIT_NOT;
  base['!'] = TYPE_NOT;
  base['^'] = TYPE_XOR;
  base['['] = TYPE_SUBSCRIPT;
  base[']'] = TYPE_SUBSCRIPT;
  base['('] = TYPE_PARENTHESIS;
  base[')'] = TYPE_PARENTHESIS;
  base['{'] = TYPE_SCOPE;
  base['}'] = TYPE_SCOPE;
  base['.'] = TYPE_DOT;
  base[','] = TYPE_COMMA;
  base[';'] = TYPE_SEMICOLON;
  base[':'] = TYPE_COLON;
  return base;
}();

// The character an escape letter stands for; -1 for no valid escape.
int EscapeMeaning(char c) {
  switch (c) {
    case 'a':
      return 7;
    case 'b':
      return 8;
    case 't':
      return 9;
    case 'n':
      return 10;
    case 'v':
      return 11;
    case 'f':
      return 12;
    case 'r':
      return 13;
    case '"':
    case '\'':
    case '\\':
      return c;
    default:
      return -1;
  }
}

}  // namespace

bool ScriptReader::OnRead(const char* text, std::size_t /*length*/) {
  if (text == nullptr) return error_->Raise(ErrorCode::INVALID_POINTER, module::kCompiler, kOnRead);
  line_ = 1;
  column_ = 1;
  const char* cursor = text;
  const char* word = nullptr;  // start of the word being collected
  for (;;) {
    const unsigned char c = static_cast<unsigned char>(*cursor);
    if (c == 0) {
      if (word == nullptr && interpreter_->IsComplete()) return true;
      return error_->Raise(ErrorCode::UNEXPECTED_END_OF_SCRIPT, module::kCompiler, kOnRead);
    }
    if (IsWordChar(c)) {
      if (word == nullptr) word = cursor;
      ++column_;
      ++cursor;
      continue;
    }
    if (word != nullptr) {
      if (!ProcessToken(word, static_cast<std::size_t>(cursor - word))) return false;
      word = nullptr;
    }
    switch (c) {
      case '\t':
        column_ += 8;
        ++cursor;
        break;
      case '\n':
        ++line_;
        column_ = 1;
        ++cursor;
        break;
      case '\r':
        column_ = 1;
        ++cursor;
        break;
      case ' ':
        ++column_;
        ++cursor;
        break;
      default:
        if (!ProcessOperator(cursor)) return false;
        break;
    }
  }
}

bool ScriptReader::ProcessToken(const char* word, std::size_t length) {
  // While the word is handled the column names its first character.
  column_ -= static_cast<int32_t>(length);
  token_.assign(word, length);
  int32_t code;
  if (auto keyword = keywords_.find(token_); keyword != keywords_.end()) {
    code = keyword->second;
  } else {
    ErrorCode overflow = ErrorCode::NO_ERROR;
    code = WordCode(token_, overflow);
    if (overflow != ErrorCode::NO_ERROR) return error_->Raise(overflow, module::kCompiler, kProcessToken);
  }
  if (!OnToken(code, token_)) return false;
  column_ += static_cast<int32_t>(length);
  return true;
}

bool ScriptReader::ProcessOperator(const char*& cursor) {
  const unsigned char c = static_cast<unsigned char>(cursor[0]);
  const char next = cursor[1];  // the text ends in a zero byte, and c is none
  if (c == '"' || c == '\'') return ProcessConstString(cursor);
  if (c == '/' && next == '*') return SkipLongComment(cursor);
  if (c == '/' && next == '/') {
    SkipLineComment(cursor);
    return true;
  }

  int32_t code;
  std::size_t length = 1;
  if (c == '@') {
    if (next == '=') length = 2;
    code = length == 2 ? TYPE_REF_ASSIGN : TYPE_REF;
  } else {
    const int32_t base = kOperatorBase[c];
    if (base == 0) return error_->Raise(ErrorCode::UNEXPECTED_CHARACTER, module::kCompiler, kProcessOperator);
    if (next == '=') {
      // Every operator character takes "=", even where the result is no
      // operator ("(=" is 51); the compiler rejects those.
      code = base + 1;
      length = 2;
    } else if (base <= TYPE_GREATER && next == static_cast<char>(c)) {
      code = base + 2;
      length = 2;
      if (c == '<' || c == '>') {
        if (cursor[2] == '\0') {
          return error_->Raise(ErrorCode::UNEXPECTED_END_OF_SCRIPT, module::kCompiler, kProcessOperator);
        }
        if (cursor[2] == '=') {
          code = base + 3;
          length = 3;
        }
      }
    } else {
      code = base;
    }
  }
  if (code == TYPE_BIT_NOT_ASSIGN) {
    return error_->Raise(ErrorCode::INVALID_OPERATOR, module::kCompiler, kProcessOperator);
  }
  token_.assign(cursor, length);
  cursor += length;
  if (!OnToken(code, token_)) return false;
  column_ += static_cast<int32_t>(length);
  return true;
}

bool ScriptReader::ProcessConstString(const char*& cursor) {
  const int32_t line = line_;
  const int32_t column = column_;
  if (!EndConstString(cursor)) return false;
  // The compiler sees the position of the opening mark; the scan goes on
  // after the closing one whatever the compiler answers.
  const int32_t endLine = line_;
  const int32_t endColumn = column_;
  line_ = line;
  column_ = column;
  const bool accepted = OnToken(TYPE_CONST, token_);
  line_ = endLine;
  column_ = endColumn;
  return accepted;
}

bool ScriptReader::EndConstString(const char*& cursor) {
  const char quote = *cursor;
  token_.assign(1, quote);
  error_->Raise(ErrorCode::UNEXPECTED_END_OF_SCRIPT, module::kCompiler, kEndConstString);
  // Steps past the current character; a line feed starts a new line.
  auto step = [this, &cursor] {
    if (*cursor == '\n') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    ++cursor;
  };
  for (;;) {
    step();
    const char c = *cursor;
    if (c == '\0') return false;
    if (c == quote) {
      token_ += quote;
      step();
      error_->Clear(module::kCompiler, kEndConstString);
      return true;
    }
    if (c == '"' || c == '\'') {
      return error_->Raise(
          quote == '\'' ? ErrorCode::EXPECTING_SINGLE_QUOTATION_MARK : ErrorCode::EXPECTING_DOUBLE_QUOTATION_MARK,
          module::kCompiler, kEndConstString);
    }
    if (c == '\\') {
      step();
      if (*cursor == '\0') return false;
      const int meaning = EscapeMeaning(*cursor);
      if (meaning < 0) return error_->Raise(ErrorCode::INVALID_ESCAPE_CHARACTER, module::kCompiler, kEndConstString);
      token_ += static_cast<char>(meaning);
    } else {
      token_ += c;
    }
  }
}

bool ScriptReader::SkipLongComment(const char*& cursor) {
  cursor += 2;
  column_ += 2;
  error_->Raise(ErrorCode::UNEXPECTED_END_OF_SCRIPT, module::kCompiler, kSkipLongComment);
  // Only an asterisk after the opening pair may close the comment.
  bool afterStar = false;
  for (char c = *cursor; c != '\0'; c = *++cursor) {
    if (c == '/' && afterStar) {
      ++cursor;
      ++column_;
      error_->Clear(module::kCompiler, kSkipLongComment);
      return true;
    }
    if (c == '\n') {
      ++line_;
      column_ = 1;
    } else if (c == '\r') {
      column_ = 1;
    } else {
      ++column_;
    }
    afterStar = c == '*';
  }
  return false;
}

void ScriptReader::SkipLineComment(const char*& cursor) {
  cursor += 2;
  column_ += 2;
  for (; *cursor != '\0'; ++cursor) {
    if (*cursor == '\n') {
      ++cursor;
      ++line_;
      column_ = 1;
      return;
    }
    ++column_;
  }
}

}  // namespace script
