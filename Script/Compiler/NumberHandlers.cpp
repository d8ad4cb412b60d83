// Number literals: their pieces arrive as separate tokens (sign, digits,
// ".", fraction, mantissa ending in "e", exponent sign, exponent digits)
// and are converted once complete.
#include "Script/Compiler/Interpreter.h"
#include "Script/Compiler/NumberLiteral.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Variables/ConstVariable.h"

namespace script {

namespace {

bool IsSign(int32_t code) { return code == TYPE_ADD || code == TYPE_SUB; }

}  // namespace

// number -> [ "+" | "-" ] DIGITS [ "." DIGITS ] [ ( "e" | "E" ) ( "+" | "-" ) DIGITS ]
//         | "0x" HEX-DIGITS | HEX-DIGITS "h" | BINARY-DIGITS "b"
bool Interpreter::StartNumber(int32_t code, const std::string& text, bool (Interpreter::*attach)(Node*)) {
  // The literal's pieces are its symbols; the node itself carries none.
  SourcePosition position = TokenPosition(text);
  position.symbol = 0;
  auto* constant = new ConstVariable(position, current_);
  if (!(this->*attach)(constant)) return false;
  literalText_.clear();
  PushHandler(IsSign(code) ? &Interpreter::NumberSignEvent : &Interpreter::NumberEvent);
  return OnEvent(code, text);
}

bool Interpreter::ExpNumberTokenEvent(int32_t code, const std::string& text, bool (Interpreter::*attach)(Node*)) {
  if (code < TOKEN_HEX_PREFIX || code > TOKEN_EXPONENT) {
    return Fail(ErrorCode::INTERNAL_ERROR, "script::Interpreter::ExpNumberTokenEvent");
  }
  if (code == TOKEN_EXPONENT && !IsExpNumber(text)) return false;
  auto* constant = new ConstVariable(TokenPosition(text), current_);
  if (!(this->*attach)(constant)) return false;
  literalText_.clear();
  AddNumberPiece(text);
  if (code != TOKEN_EXPONENT) return ProcessNumber();
  PushHandler(&Interpreter::ExponentSignEvent);
  return true;
}

bool Interpreter::NumberEvent(int32_t code, const std::string& text) {
  PopHandler();
  switch (code) {
    case TOKEN_HEX_PREFIX:
    case TOKEN_HEX_SUFFIX:
    case TOKEN_BINARY:
      AddNumberPiece(text);
      return ProcessNumber();
    case TOKEN_EXPONENT:
      if (!IsExpNumber(text)) return false;
      AddNumberPiece(text);
      PushHandler(&Interpreter::ExponentSignEvent);
      return true;
    case TYPE_CONST_NUM:
      AddNumberPiece(text);
      PushHandler(&Interpreter::NumberIntegerEvent);
      return true;
    case TYPE_DOT:
      PushHandler(&Interpreter::NumberIntegerEvent);
      return OnEvent(code, text);
    default:
      return Fail(ErrorCode::EXPECTING_NUMBER, "script::Interpreter::NumberEvent");
  }
}

bool Interpreter::NumberIntegerEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code == TYPE_DOT && text == ".") {
    AddNumberPiece(text);
    PushHandler(&Interpreter::FractionEvent);
    return true;
  }
  return ProcessNumber() && OnEvent(code, text);
}

bool Interpreter::FractionEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code == TOKEN_EXPONENT) {
    PushHandler(&Interpreter::NumberEvent);
    return OnEvent(code, text);
  }
  if (code != TYPE_CONST_NUM) return Fail(ErrorCode::INVALID_NUMBER_FORMAT, "script::Interpreter::FractionEvent");
  AddNumberPiece(text);
  return ProcessNumber();
}

bool Interpreter::ExponentSignEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (!IsSign(code) || text.size() != 1) {
    return Fail(ErrorCode::INVALID_NUMBER_FORMAT, "script::Interpreter::ExponentSignEvent");
  }
  AddNumberPiece(text);
  PushHandler(&Interpreter::ExponentEvent);
  return true;
}

bool Interpreter::ExponentEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code != TYPE_CONST_NUM) return Fail(ErrorCode::INVALID_NUMBER_FORMAT, "script::Interpreter::ExponentEvent");
  AddNumberPiece(text);
  return ProcessNumber();
}

bool Interpreter::NumberSignEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (!IsSign(code) || text.size() != 1) {
    return Fail(ErrorCode::INVALID_NUMBER_FORMAT, "script::Interpreter::NumberSignEvent");
  }
  AddNumberPiece(text);
  PushHandler(&Interpreter::NumberEvent);
  return true;
}

bool Interpreter::IsExpNumber(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::IsExpNumber");
  }
  return true;
}

void Interpreter::AddNumberPiece(const std::string& text) {
  literalText_ += text;
  static_cast<ConstVariable*>(current_)->AddSymbol(symbols_.InternSymbol(text));
}

bool Interpreter::ProcessNumber() {
  constexpr const char* kWhere = "script::Interpreter::ProcessNumber";
  NumberLiteral literal = ReadNumberLiteral(literalText_);
  if (literal.error != ErrorCode::NO_ERROR) return Fail(literal.error, kWhere);
  auto* constant = static_cast<ConstVariable*>(current_);
  // A literal well formed but beyond its type's range (more than 64 bits, a
  // double's exponent past its limit) is no valid number.
  if (!constant->SetLiteral(BuiltInType(literal.typeId), literal.decimal, heap_)) {
    return Fail(ErrorCode::INVALID_NUMBER_FORMAT, kWhere);
  }
  return true;
}

}  // namespace script
