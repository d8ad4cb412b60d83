// Statement start, blocks and includes.
#include "Script/Compiler/Interpreter.h"
#include "Script/Compiler/ScriptReader.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Operators/OperatorFactory.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Platform/Path.h"
#include "Script/Platform/SystemError.h"

namespace script {

// statement -> scope-statement | body-statement
// The statement start: scopes take every statement, the bodies of if, while
// and for only those that declare nothing.
bool Interpreter::BeginFullExpression(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::BeginFullExpression";
  switch (current_->TypeId()) {
    case TYPE_SCOPE:
      return BeginScopeExpression(code, text);
    case TYPE_FOR:
      return BeginForExpression(code, text);
    case TYPE_WHILE:
      return BeginWhileExpression(code, text);
    case TYPE_IF:
      return BeginIfExpression(code, text);
    case TYPE_FUNCTION:
      return Fail(ErrorCode::NOT_IMPLEMENTED, kWhere);
    default:
      return UnendedBodyStatement();
  }
}

// scope-statement -> ";" | block | declaration | expression ";"
//                  | control-statement | include | built-in-call ";"
//                  | error-declaration
bool Interpreter::BeginScopeExpression(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::BeginScopeExpression";
  if (IsControlKeyword(code)) return ControlStatement(code, text, kWhere);
  switch (code) {
    case TYPE_SEMICOLON:
      return text == ";" || Fail(ErrorCode::SYNTAX_ERROR, kWhere);
    case TYPE_SCOPE:
      return text == "{" ? OpenBlock(code, text) : EndScope();
    case TYPE_TOKEN:
      return IdentifierStatement(text);
    case TYPE_PARENTHESIS:
      return text == "(" ? OpenParenthesis(code, text) : Fail(ErrorCode::UNEXPECTED_PARENTHESIS, kWhere);
    case TYPE_INC_OP:
    case TYPE_DEC_OP: {
      Node* prefix = CreateOperatorNode(code == TYPE_INC_OP ? TYPE_PRE_INC_OP : TYPE_PRE_DEC_OP, TokenPosition(text),
                                        current_);
      Attach(prefix);
      current_ = prefix;
      PushHandler(&Interpreter::ExpEvent);
      PushHandler(&Interpreter::Append2Op);
      return true;
    }
    case TYPE_STRUCT:
      PushHandler(&Interpreter::AggregateEvent);
      return true;
    case TYPE_ARRAY:
      return ArrayDecEvent(code, text);
    case TYPE_INCLUDE:
      PushHandler(&Interpreter::IncludeEvent);
      return true;
    case TYPE_FUNCTION:
      PushHandler(&Interpreter::FunctionEvent);
      return true;
    case TYPE_LIB:
      PushHandler(&Interpreter::LibDecEvent);
      return true;
    case TYPE_ERROR:
      return ErrorDeclaration(text);
    default:
      if (code >= TYPE_SIZEOF && code <= TYPE_CAST) return BuiltInStatement(code, text);
      if (code >= TYPE_BOOL && code <= TYPE_STRING) {
        return BeginVariableDeclaration(new Type(code, TokenPosition(text), current_));
      }
      return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
}

// identifier-statement -> STRUCT-NAME declarators ";" | NAME expression-rest ";"
bool Interpreter::IdentifierStatement(const std::string& text) {
  Node* declaration = FindDeclaration(symbols_.InternSymbol(text));
  int32_t id = declaration != nullptr ? declaration->TypeId() : TYPE_NONE;
  if (id == TYPE_AGGREGATE_TYPE) return BeginVariableDeclaration(UseStructType(declaration->Position().symbol, text));
  if (id != TYPE_TOKEN && id != TYPE_FUNCTION && id != TYPE_LIB_VAR && id != TYPE_ERROR_VAR) {
    return Fail(ErrorCode::UNDEFINED_SYMBOL, "script::Interpreter::BeginScopeExpression");
  }
  Variable* variable = CreateVariableNode(text);
  Attach(variable);
  current_ = variable;
  PushHandler(&Interpreter::ExpEvent);
  return true;
}

// block -> "{" statement* "}"
bool Interpreter::OpenBlock(int32_t code, const std::string& text) {
  PushHandler(&Interpreter::BeginFullExpression);
  return AppendNode(code, text);
}

bool Interpreter::EndScope() {
  constexpr const char* kWhere = "script::Interpreter::EndScope";
  PopHandler();
  Node* parent = current_->Parent();
  if (parent == nullptr) return Fail(ErrorCode::UNEXPECTED_END_OF_SCOPE, kWhere);
  switch (parent->TypeId()) {
    case TYPE_SCOPE:
    case TYPE_CASE:
    case TYPE_DEFAULT:
      current_ = parent;
      return true;
    case TYPE_IF:
    case TYPE_FOR:
    case TYPE_WHILE:
      // The block is the statement's whole body: end it as a statement.
      current_ = parent;
      return OnEvent(TYPE_SEMICOLON, ";");
    case TYPE_SWITCH:
    case TYPE_FUNCTION:
      PopHandler();
      current_ = parent->Parent();
      return true;
    case TYPE_ERROR:
      current_ = parent->Parent();
      return true;
    default:
      return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  }
}

// include -> "include" STRING ";"
bool Interpreter::IncludeEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::IncludeEvent";
  PushHandler(&Interpreter::BeginFullExpression);
  if (code != TYPE_CONST || text.size() < 3) return Fail(ErrorCode::EXPECTING_SCRIPT_NAME, kWhere);

  std::string name = text.substr(1, text.size() - 2);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  Reader* including = currentReader_;
  std::string includePath = name.front() == '/' ? name : platform::DirectoryOf(including->Path()) + name;

  int systemError = 0;
  bool firstRead = RegisterScriptFile(includePath, systemError);
  if (!firstRead && systemError == 0) {
    PopHandler();  // the statement start pushed above
    PopHandler();  // this handler
    return true;
  }
  bool read = false;
  if (systemError == 0) {
    ScriptReader reader(true, this, error_);
    read = reader.Read(includePath, systemError);
    if (!read && systemError == 0 && error_->File().empty()) {
      error_->SetLocation(includePath, reader.Line(), reader.Column());
    }
    currentReader_ = including;
  }
  if (systemError != 0) {
    error_->RaiseNamed(ErrorCode::SYSTEM_ERROR, platform::SystemMessage(systemError), module::kCompiler, kWhere);
    error_->SetLocation(including->Path(), including->Line(), including->Column());
    return false;
  }
  if (!read) return false;

  while (!handlers_.empty() && handlers_.back() != &Interpreter::IncludeEvent) PopHandler();
  PopHandler();
  current_ = root_;
  return true;
}

}  // namespace script
