// Functions: declarations with their parameters and bodies, function
// reference types and variables, and the return statement.
#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Functions/Return.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Variables/Reference.h"
#include "Script/Expressions/Variables/Variable.h"

namespace script {

namespace {

bool IsBuiltInCode(int32_t code) { return code >= TYPE_SIZEOF && code <= TYPE_CAST; }

bool IsClosingParenthesis(int32_t code, const std::string& text) { return code == TYPE_PARENTHESIS && text == ")"; }

// The internal locations of the three steps of "function" "<" NAME ">" by
// the role of the type read.
struct FunctionRefSteps {
  const char* open;
  const char* name;
  const char* close;
};

FunctionRefSteps StepsOf(FunctionRefRole role) {
  switch (role) {
    case FunctionRefRole::Return:
      return {"script::Interpreter::FunctionFunctionReturnTypeEvent", "script::Interpreter::FunctionFunctionReturnTypeEvent",
              "script::Interpreter::FunctionEndFunctionRefReturnEvent"};
    case FunctionRefRole::Argument:
      return {"script::Interpreter::FunctionFunctionArgTypeEvent", "script::Interpreter::FunctionFunctionArgTypeEvent",
              "script::Interpreter::FunctionEndFunctionRefArgEvent"};
    case FunctionRefRole::Variable:
      return {"script::Interpreter::FunctionEvent", "script::Interpreter::FunctionBeginRefDecEvent",
              "script::Interpreter::FunctionEndRefDecEvent"};
    case FunctionRefRole::Member:
      return {"script::Interpreter::AggregateFunctionTypeEvent", "script::Interpreter::AggregateFunctionBeginRefDecEvent",
              "script::Interpreter::AggregateFunctionEndRefDecEvent"};
    case FunctionRefRole::ArrayElement:
      return {"script::Interpreter::ArrayBeginFunctionTypeEvent", "script::Interpreter::ArrayFunctionTypeEvent",
              "script::Interpreter::ArrayEndFunctionTypeEvent"};
    case FunctionRefRole::Library:
      return {"script::Interpreter::LibFunctionFunctionTypeEvent", "script::Interpreter::LibFunctionBeginRefDecEvent",
              "script::Interpreter::LibFunctionEndRefDecEvent"};
    case FunctionRefRole::Cast:
      break;
  }
  return {"script::Interpreter::CastBeginFunctionTypeEvent", "script::Interpreter::CastFunctionTypeEvent",
          "script::Interpreter::CastEndFunctionTypeEvent"};
}

}  // namespace

Function* Interpreter::EnclosingFunction() const {
  for (Node* node = current_; node != nullptr; node = node->Parent()) {
    if (node->TypeId() == TYPE_FUNCTION) return static_cast<Function*>(node);
  }
  return nullptr;
}

Scope* Interpreter::FrameScope() const {
  Function* function = EnclosingFunction();
  return function != nullptr ? function->Body() : root_;
}

Type* Interpreter::NamedType(int32_t code, const std::string& text, const char* where) {
  if (code >= TYPE_BOOL && code <= TYPE_STRING) return new Type(code, TokenPosition(text), nullptr);
  if (code == TYPE_TOKEN) {
    Type* structure = UseStructType(symbols_.InternSymbol(text), text);
    if (structure == nullptr) Fail(ErrorCode::UNDEFINED_TYPE, where);
    return structure;
  }
  Fail(ErrorCode::EXPECTING_TYPE_NAME, where);
  return nullptr;
}

bool Interpreter::ReadPendingArrayType(const std::string& text, Node* owner, Handler continuation) {
  auto* array = new ArrayType(TokenPosition(text), owner);
  pendingType_.reset(array);
  return ReadArrayType(array, continuation);
}

bool Interpreter::PendingArrayTypeEnd(int32_t code, const std::string& text) {
  PopHandler();
  current_ = current_->Parent();
  return OnEvent(code, text);
}

// ---- function declarations

// function-declaration -> "function" return-type NAME "(" [ parameter ( "," parameter )* ] ")" block
// function-ref-declaration -> "function" "<" NAME ">" declarator ( "," declarator )* ";"
// parameter -> TYPE [ "@" [ "@" ] ] [ NAME ]
bool Interpreter::FunctionEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code == TYPE_LESS) {
    refRole_ = FunctionRefRole::Variable;
    PushHandler(&Interpreter::FunctionRefCloseEvent);
    PushHandler(&Interpreter::FunctionRefNameEvent);
    return true;
  }
  // The return type, then the name.
  PushHandler(&Interpreter::FunctionNameEvent);
  if (code == TYPE_FUNCTION) return StartFunctionRefType(FunctionRefRole::Return, true);
  if (code == TYPE_ARRAY) return ReadPendingArrayType(text, current_, &Interpreter::PendingArrayTypeEnd);
  pendingType_.reset(NamedType(code, text, "script::Interpreter::FunctionTypeEventHandler"));
  return pendingType_ != nullptr;
}

bool Interpreter::FunctionNameEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::FunctionNameEvent";
  if (code == TYPE_REF) {
    return AddReferenceMarker(pendingType_.get(), TokenPosition(text), 1) || Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  if (code != TYPE_TOKEN) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  if (pendingType_->TypeId() == TYPE_ARRAY && static_cast<ArrayType*>(pendingType_.get())->DimensionExpression()) {
    return Fail(ErrorCode::DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE, kWhere);
  }
  if (current_->TypeId() != TYPE_SCOPE) return Fail(ErrorCode::UNEXPECTED_FUNCTION_DEFINITION, kWhere);
  if (current_ != root_) return Fail(ErrorCode::FUNCTION_DEFINITION_MUST_BE_GLOBAL, kWhere);
  auto* function = new Function(TokenPosition(text), root_);
  if (!root_->AddDefinition(function)) {
    delete function;
    return Fail(ErrorCode::DUPLICATE_FUNCTION_DEFINITION, kWhere);
  }
  Type* returned = pendingType_.release();
  returned->SetParent(function->GetPrototype());
  function->GetPrototype()->AddEntry(returned, returned->Position());
  // A definition, not a statement: it has no line of its own to stop at.
  root_->AddStatement(function);
  current_ = function;
  PopHandler();
  PushHandler(&Interpreter::FunctionDecEvent);
  return true;
}

bool Interpreter::FunctionDecEvent(int32_t code, const std::string& text) {
  if (code != TYPE_PARENTHESIS || text != "(") return Fail(ErrorCode::EXPECTING_PARENTHESIS, "script::Interpreter::FunctionDecEvent");
  PopHandler();
  PushHandler(&Interpreter::FunctionTypeEventHandler);
  return true;
}

bool Interpreter::FunctionTypeEventHandler(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::FunctionTypeEventHandler";
  auto* function = static_cast<Function*>(current_);
  PopHandler();
  if (IsClosingParenthesis(code, text)) {
    // Only an empty list ends here; after "," a type must follow.
    if (function->ParameterCount() != 0) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
    PushHandler(&Interpreter::FunctionBodyEvent);
    return true;
  }
  PushHandler(&Interpreter::FunctionArgEvent);
  if (code == TYPE_FUNCTION) return StartFunctionRefType(FunctionRefRole::Argument, true);
  if (code == TYPE_ARRAY) return ReadPendingArrayType(text, function, &Interpreter::PendingArrayTypeEnd);
  if (IsBuiltInCode(code)) return Fail(ErrorCode::EXPECTING_TYPE_NAME, kWhere);
  pendingType_.reset(NamedType(code, text, kWhere));
  return pendingType_ != nullptr;
}

bool Interpreter::FunctionArgEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::FunctionArgEvent";
  auto* function = static_cast<Function*>(current_);
  if (code == TYPE_REF) {
    return AddReferenceMarker(pendingType_.get(), TokenPosition(text), 2) || Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  if (IsClosingParenthesis(code, text)) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  if (IsBuiltInCode(code)) return Fail(ErrorCode::EXPECTING_VARIABLE_NAME, kWhere);
  if (code != TYPE_TOKEN) return Fail(ErrorCode::UNEXPECTED_CHARACTER, kWhere);
  SourcePosition position = TokenPosition(text);
  if (!ErrorIfDynamicArray(pendingType_.get())) return false;
  if (function->FindParameter(position.symbol) != nullptr) return Fail(ErrorCode::DUPLICATE_ARGUMENT_NAME, kWhere);
  Type* type = pendingType_.release();
  function->AddParameter(type, new Variable(position, type, type));
  PopHandler();
  PushHandler(&Interpreter::FunctionNextArgEvent);
  return true;
}

bool Interpreter::FunctionNextArgEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code == TYPE_COMMA) {
    PushHandler(&Interpreter::FunctionTypeEventHandler);
    return true;
  }
  if (IsClosingParenthesis(code, text)) {
    PushHandler(&Interpreter::FunctionBodyEvent);
    return true;
  }
  return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::FunctionNextArgEvent");
}

bool Interpreter::FunctionBodyEvent(int32_t code, const std::string& text) {
  if (code != TYPE_SCOPE || text != "{") return Fail(ErrorCode::UNEXPECTED_CHARACTER, "script::Interpreter::FunctionBodyEvent");
  auto* function = static_cast<Function*>(current_);
  auto* body = new Scope(TokenPosition(text), function);
  function->SetLeft(body);
  current_ = body;
  // This handler stays below the body's statement start: the closing brace
  // pops both (EndScope).
  PushHandler(&Interpreter::BeginFullExpression);
  return ResolveArguments(function);
}

bool Interpreter::ResolveArguments(Function* function) {
  Scope* body = function->Body();
  for (Variable* parameter : function->ParameterVariables()) {
    StackSlotReservation slot{};
    if (!ReserveAlignedStackSpotIfNotDeclared(parameter->GetType(), parameter->Position(), slot)) return false;
    parameter->SetSlotIndex(slot.index);
    parameter->SetStorageOffset(static_cast<int32_t>(slot.offset));
    body->AddDefinition(parameter);
  }
  return true;
}

// ---- function reference types: "function" "<" NAME ">"

// function-ref-type -> "function" "<" FUNCTION-NAME ">"
bool Interpreter::StartFunctionRefType(FunctionRefRole role, bool openRead) {
  refRole_ = role;
  PushHandler(&Interpreter::FunctionRefCloseEvent);
  PushHandler(&Interpreter::FunctionRefNameEvent);
  if (openRead) PushHandler(&Interpreter::FunctionRefOpenEvent);
  return true;
}

bool Interpreter::FunctionRefOpenEvent(int32_t code, const std::string&) {
  PopHandler();
  if (code == TYPE_LESS) return true;
  // In a struct body "function" only starts a function reference member.
  return Fail(refRole_ == FunctionRefRole::Member ? ErrorCode::UNEXPECTED_FUNCTION_DEFINITION : ErrorCode::SYNTAX_ERROR,
              StepsOf(refRole_).open);
}

bool Interpreter::FunctionRefNameEvent(int32_t code, const std::string& text) {
  const char* where = StepsOf(refRole_).name;
  PopHandler();
  if (code != TYPE_TOKEN) return Fail(ErrorCode::EXPECTING_FUNCTION_REF_TYPE, where);
  SourcePosition position = TokenPosition(text);
  Node* declaration = FindDeclaration(position.symbol);
  if (declaration == nullptr || declaration->TypeId() != TYPE_FUNCTION) return Fail(ErrorCode::UNDEFINED_FUNCTION, where);
  // The signature is the prototype's: its entries, which the prototype keeps.
  auto* type = new FunctionRefType(position, nullptr);
  for (const FunctionRefEntry& entry : static_cast<Function*>(declaration)->GetPrototype()->Entries()) {
    type->AddEntry(entry.type, entry.position);
  }
  if (refRole_ == FunctionRefRole::ArrayElement) {
    ArrayBeingRead()->SetElementType(type);
  } else {
    pendingType_.reset(type);
  }
  return true;
}

bool Interpreter::FunctionRefCloseEvent(int32_t code, const std::string& text) {
  const char* where = StepsOf(refRole_).close;
  PopHandler();
  const bool nestedClose = code == TYPE_SHIFT_RIGHT;
  if (code != TYPE_GREATER && !nestedClose) return Fail(ErrorCode::SYNTAX_ERROR, where);
  bool placed = true;
  switch (refRole_) {
    case FunctionRefRole::Return:
    case FunctionRefRole::Argument:
    case FunctionRefRole::ArrayElement:
    case FunctionRefRole::Library:
      break;  // the declaration's next handler, or the array, has the type
    case FunctionRefRole::Variable: {
      Type* type = pendingType_.release();
      type->SetParent(current_);
      placed = BeginVariableDeclaration(type);
      break;
    }
    case FunctionRefRole::Member: {
      Type* type = pendingType_.release();
      type->SetParent(current_);
      static_cast<AggregateType*>(current_)->AddMember(type);
      current_ = type;
      PushHandler(&Interpreter::AggregateMemberDecEvent);
      break;
    }
    case FunctionRefRole::Cast:
      SetCastTarget(pendingType_.release());
      break;
  }
  // ">>" closes this list and the enclosing one.
  if (!placed || !nestedClose) return placed;
  return OnEvent(TYPE_GREATER, text.substr(1));
}

// ---- return

// return-statement -> "return" [ expression ] ";"
bool Interpreter::ReturnStatement(int32_t, const std::string& text) {
  if (!InsideFunction()) return Fail(ErrorCode::UNEXPECTED_RETURN, "script::Interpreter::BeginScopeExpression");
  auto* statement = new Return(TokenPosition(text), current_);
  Attach(statement);
  current_ = statement;
  PushHandler(&Interpreter::ReturnEvent);
  return true;
}

bool Interpreter::ReturnEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ReturnEvent";
  PopHandler();
  if (code == TYPE_SEMICOLON && text == ";") {
    Node* statement = current_;
    if (!CheckFullExpression(statement)) return false;
    current_ = statement->Parent();
    return OnEvent(code, text);
  }
  if (IsClosingParenthesis(code, text) || code == TYPE_SEMICOLON || (code >= TYPE_FOR && code <= TYPE_RETURN)) {
    return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  PushHandler(&Interpreter::ExpEvent);
  return StartOperand(code, text, &Interpreter::AppendValueNode2Op);
}

}  // namespace script
