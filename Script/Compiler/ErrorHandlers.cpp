// Error declarations. Each state takes one token; the error node is the
// current node throughout.
#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Errors/ErrorNode.h"
#include "Script/Expressions/Errors/ErrorType.h"
#include "Script/Expressions/Errors/ErrorVariable.h"
#include "Script/Expressions/Scope.h"

namespace script {

ErrorType* Interpreter::BuiltInErrorType() {
  if (errorType_ == nullptr) errorType_ = std::make_unique<ErrorType>(symbols_);
  return errorType_.get();
}

// error-declaration -> "error" "(" NAME ")" block
bool Interpreter::ErrorDeclaration(const std::string& text) {
  auto* declaration = new ErrorNode(TokenPosition(text), current_);
  Attach(declaration);
  current_ = declaration;
  PushHandler(&Interpreter::ErrorBeginEvent);
  return true;
}

bool Interpreter::ErrorStateAccepts(int32_t code, const std::string& text, int32_t expectedCode,
                                    const char* expectedText, ErrorCode otherwise, const char* where) {
  PopHandler();
  if (current_->TypeId() != TYPE_ERROR) return Fail(ErrorCode::INTERNAL_ERROR, where);
  return (code == expectedCode && text == expectedText) || Fail(otherwise, where);
}

bool Interpreter::ErrorBeginEvent(int32_t code, const std::string& text) {
  if (!ErrorStateAccepts(code, text, TYPE_PARENTHESIS, "(", ErrorCode::SYNTAX_ERROR,
                         "script::Interpreter::ErrorBeginEvent")) {
    return false;
  }
  PushHandler(&Interpreter::ErrorInstanceEvent);
  return true;
}

// The variable is declared in the body, so that it is seen there only and
// two declarations of one scope may use the same name; its slot lies in the
// frame of the enclosing function.
bool Interpreter::ErrorInstanceEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ErrorInstanceEvent";
  PopHandler();
  if (current_->TypeId() != TYPE_ERROR) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (code != TYPE_TOKEN) return Fail(ErrorCode::EXPECTING_ERROR_VARIABLE_NAME, kWhere);
  auto* declaration = static_cast<ErrorNode*>(current_);
  auto* body = new Scope(TokenPosition("{"), declaration);
  declaration->SetBody(body);
  ErrorType* type = BuiltInErrorType();
  const SourcePosition position = TokenPosition(text);
  StackSlotReservation slot{};
  current_ = body;
  const bool reserved = ReserveAlignedStackSpotIfNotDeclared(type, position, slot);
  current_ = declaration;
  if (!reserved) return false;
  auto* variable = new ErrorVariable(position, declaration, type, slot.index,
                                     static_cast<int32_t>(slot.offset & ~kGlobalSlotBit));
  declaration->SetInstance(variable);
  body->AddDefinition(variable);
  PushHandler(&Interpreter::ErrorEndEvent);
  return true;
}

bool Interpreter::ErrorEndEvent(int32_t code, const std::string& text) {
  if (!ErrorStateAccepts(code, text, TYPE_PARENTHESIS, ")", ErrorCode::SYNTAX_ERROR,
                         "script::Interpreter::ErrorEndEvent")) {
    return false;
  }
  PushHandler(&Interpreter::ErrorBodyEvent);
  return true;
}

// The body's closing brace ends the declaration (EndScope).
bool Interpreter::ErrorBodyEvent(int32_t code, const std::string& text) {
  if (!ErrorStateAccepts(code, text, TYPE_SCOPE, "{", ErrorCode::UNEXPECTED_CHARACTER,
                         "script::Interpreter::ErrorBodyEvent")) {
    return false;
  }
  PushHandler(&Interpreter::BeginFullExpression);
  current_ = static_cast<ErrorNode*>(current_)->Body();
  return true;
}

}  // namespace script
