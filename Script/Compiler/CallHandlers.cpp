// Calls: argument lists, callees reached by name, through function reference
// variables and through call results; the built-in functions and the cast
// syntax.
#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/BuiltIns/BuiltInFunction.h"
#include "Script/Expressions/Functions/FunctionCall.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Variables/CastVariable.h"
#include "Script/Expressions/Variables/SubscriptNode.h"
#include "Script/Expressions/Variables/Variable.h"

namespace script {

namespace {

constexpr const char* kCallEvent = "script::Interpreter::FunctionCallEvent";
constexpr const char* kCallArgEvent = "script::Interpreter::FunctionCallArgEvent";

const char* BuiltInName(int32_t code) {
  switch (code) {
    case TYPE_SIZEOF: return "sizeof";
    case TYPE_ARR2STR: return "arr2str";
    case TYPE_WARR2STR: return "warr2str";
    case TYPE_STR2ARR: return "str2arr";
    case TYPE_STR2WARR: return "str2warr";
    case TYPE_LOCK: return "lock";
    case TYPE_UNLOCK: return "unlock";
    default: return "cast";
  }
}

// The function reference type a callee node (variable, subscript, call)
// yields, or null when it yields none.
const FunctionRefType* CalleeTypeOf(const Node* node) {
  const Type* type = nullptr;
  if (node->TypeId() == TYPE_FUNCTION_CALL) {
    type = static_cast<const FunctionCall*>(node)->GetResultType();
  } else if (node->TypeId() == TYPE_SUBSCRIPT) {
    const ArrayType* array = static_cast<const SubscriptNode*>(node)->BaseArrayType();
    type = array != nullptr ? array->ElementType() : nullptr;
  } else if (IsVariableLike(node->TypeId())) {
    type = static_cast<const Variable*>(node)->GetType();
  }
  return type != nullptr && type->TypeId() == TYPE_FUNCTION_REF_TYPE ? static_cast<const FunctionRefType*>(type)
                                                                     : nullptr;
}

bool IsSizeOfCall(const FunctionCall* call) {
  const FunctionRefType* callee = call->GetCalleeType();
  return callee != nullptr && callee->Parent() != nullptr && callee->Parent()->TypeId() == TYPE_SIZEOF;
}

}  // namespace

// ---- calls

// call -> callee "(" [ expression ( "," expression )* ] ")"
// callee -> FUNCTION-NAME | function reference variable | subscript | call
bool Interpreter::FunctionCallEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code != TYPE_PARENTHESIS || text != "(") return OnEvent(code, text);
  if (current_->Right() != nullptr) return Fail(ErrorCode::SYNTAX_ERROR, kCallEvent);
  if (CalleeTypeOf(current_) == nullptr) return Fail(ErrorCode::SYNTAX_ERROR, kCallEvent);
  auto* call = new FunctionCall(TokenPosition(text), current_);
  current_->SetRight(call);
  current_ = call;
  PushHandler(&Interpreter::FunctionCallArgEvent);
  return true;
}

bool Interpreter::FunctionCallArgEvent(int32_t code, const std::string& text) {
  auto* call = static_cast<FunctionCall*>(current_);
  if (code == TYPE_PARENTHESIS && text == ")") {
    if (call->ArgumentCount() != 0) return Fail(ErrorCode::SYNTAX_ERROR, kCallArgEvent);
    PopHandler();
    return CloseCall(call);
  }
  if (IsSizeOfCall(call)) {
    Node* declaration = code == TYPE_TOKEN ? FindDeclaration(symbols_.InternSymbol(text)) : nullptr;
    if (declaration == nullptr || (declaration->TypeId() != TYPE_TOKEN && declaration->TypeId() != TYPE_ERROR_VAR)) {
      return Fail(ErrorCode::EXPECTING_VARIABLE_NAME, kCallArgEvent);
    }
  }
  PopHandler();
  PushHandler(&Interpreter::FunctionCallNextArgEvent);
  PushHandler(&Interpreter::ExpEvent);
  return StartOperand(code, text, &Interpreter::AppendValueNode2Arg);
}

bool Interpreter::FunctionCallNextArgEvent(int32_t code, const std::string& text) {
  FunctionCall* call = OpenCall();
  if (call == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, "script::Interpreter::FunctionCallNextArgEvent");
  current_ = call;
  PopHandler();
  if (code == TYPE_COMMA) {
    if (IsSizeOfCall(call)) return Fail(ErrorCode::UNEXPECTED_NUMBER_OF_ARGUMENTS, kCallArgEvent);
    PushHandler(&Interpreter::FunctionCallArgEvent);
    return true;
  }
  if (code == TYPE_PARENTHESIS && text == ")") return CloseCall(call);
  return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::FunctionCallNextArgEvent");
}

bool Interpreter::AppendValueNode2Arg(Node* node) {
  if (current_->TypeId() != TYPE_FUNCTION_CALL) {
    delete node;
    return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::AppendValueNode2Arg");
  }
  static_cast<FunctionCall*>(current_)->AddArgument(node);
  current_ = node;
  return true;
}

FunctionCall* Interpreter::OpenCall() const {
  for (Node* node = current_; node != nullptr; node = node->Parent()) {
    if (node->TypeId() == TYPE_FUNCTION_CALL && static_cast<FunctionCall*>(node)->IsOpen()) {
      return static_cast<FunctionCall*>(node);
    }
  }
  return nullptr;
}

bool Interpreter::CloseCall(FunctionCall* call) {
  call->Close();
  current_ = call;
  Type* result = call->GetResultType();
  const int32_t kind = result != nullptr ? result->TypeId() : TYPE_NONE;
  const bool chained = kind == TYPE_FUNCTION_REF_TYPE || kind == TYPE_ARRAY ||
                       (result != nullptr && result->IsKindOf(TYPE_AGGREGATE_TYPE));
  if (!chained) return true;
  // An access chain on the result reads it through a binding slot.
  call->SetBindingSlot(ReserveBindingSlot(result));
  if (kind == TYPE_FUNCTION_REF_TYPE) PushHandler(&Interpreter::FunctionCallEvent);
  return true;
}

// ---- built-in functions

Function* Interpreter::CreateBuiltInFunction(int32_t code) {
  const SourcePosition position{symbols_.InternSymbol(BuiltInName(code)), ~0u, ~0u, ~0u};
  BuiltInFunction* builtIn = NewBuiltInFunction(code, position, root_);
  if (builtIn == nullptr) {
    Fail(ErrorCode::OUT_OF_MEMORY, "script::Interpreter::CreateBuiltInFunction");
    return nullptr;
  }
  if (!root_->AddDefinition(builtIn)) {
    delete builtIn;
    Fail(ErrorCode::DUPLICATE_FUNCTION_DEFINITION, "script::Interpreter::CreateBuiltInFunction");
    return nullptr;
  }
  root_->AddStatement(builtIn);
  return builtIn;
}

Function* Interpreter::GetBuiltInFunction(int32_t code) {
  const int64_t symbol = code >= TYPE_SIZEOF && code <= TYPE_CAST ? symbols_.FindSymbol(BuiltInName(code)) : -1;
  Node* found = symbol >= 0 ? root_->FindDefinition(static_cast<uint32_t>(symbol)) : nullptr;
  if (found == nullptr || found->TypeId() != code) {
    Fail(ErrorCode::UNDEFINED_SYMBOL, "script::Interpreter::GetBuiltInFunction");
    return nullptr;
  }
  return static_cast<Function*>(found);
}

Variable* Interpreter::CreateBuiltInNameNode(int32_t code, const std::string& text) {
  Function* builtIn = GetBuiltInFunction(code);
  if (builtIn == nullptr) return nullptr;
  const SourcePosition position = TokenPosition(text);
  if (code == TYPE_CAST) return new CastVariable(position, current_, new FunctionRefType(position, builtIn));
  return new Variable(position, current_, builtIn->GetPrototype(), 0, Variable::kNoStorage);
}

// built-in-call -> BUILT-IN "(" [ expression ( "," expression )* ] ")"
bool Interpreter::BuiltInStatement(int32_t code, const std::string& text) {
  Variable* name = CreateBuiltInNameNode(code, text);
  if (name == nullptr) return false;
  Attach(name);
  current_ = name;
  PushHandler(&Interpreter::ExpEvent);
  if (code == TYPE_CAST) PushHandler(&Interpreter::CastOpenTypeExpression);
  return true;
}

// ---- cast<T>(expression)

// cast -> "cast" "<" TYPE ">" "(" expression ")"
bool Interpreter::CastOpenTypeExpression(int32_t code, const std::string&) {
  PopHandler();
  if (code != TYPE_LESS) return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::CastOpenTypeExpression");
  PushHandler(&Interpreter::CastCloseTypeExpression);
  PushHandler(&Interpreter::CastBeginTypeExpression);
  return true;
}

bool Interpreter::CastBeginTypeExpression(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::CastBeginTypeExpression";
  PopHandler();
  if (code == TYPE_FUNCTION) return StartFunctionRefType(FunctionRefRole::Cast, true);
  if (code == TYPE_ARRAY) return ReadPendingArrayType(text, current_, &Interpreter::CastArrayTypeEnd);
  Type* target = NamedType(code, text, kWhere);
  if (target == nullptr) return false;
  SetCastTarget(target);
  return true;
}

bool Interpreter::CastCloseTypeExpression(int32_t code, const std::string&) {
  PopHandler();
  return code == TYPE_GREATER || Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::CastCloseTypeExpression");
}

bool Interpreter::CastArrayTypeEnd(int32_t code, const std::string& text) {
  PopHandler();
  current_ = current_->Parent();
  SetCastTarget(pendingType_.release());
  return OnEvent(code, text);
}

void Interpreter::SetCastTarget(Type* target) {
  auto* cast = static_cast<CastVariable*>(current_);
  auto* signature = static_cast<FunctionRefType*>(cast->GetType());
  target->SetParent(signature);
  signature->AddEntry(target, target->Position());
}

}  // namespace script
