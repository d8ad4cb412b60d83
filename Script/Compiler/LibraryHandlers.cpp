// Library declarations:
//   lib ("module") { TYPE ["@" ["@"]] NAME "(" [TYPE ["@" ["@"]] {"," ...}] ")" ";" ... } NAME
// A TYPE is a scalar keyword, a struct name, "array" "<" ... ">" or
// "function" "<" NAME ">".
#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Library/FunctionLibPtr.h"
#include "Script/Expressions/Library/LibNode.h"
#include "Script/Expressions/Library/LibType.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Variables/Reference.h"

namespace script {

namespace {

bool Is(int32_t code, const std::string& text, int32_t expectedCode, const char* expectedText) {
  return code == expectedCode && text == expectedText;
}

}  // namespace

// lib_declaration ::= "lib" "(" ...
bool Interpreter::LibDecEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::LibDecEvent";
  if (current_->TypeId() != TYPE_SCOPE) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (!Is(code, text, TYPE_PARENTHESIS, "(")) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  PopHandler();
  PushHandler(&Interpreter::LibPathEvent);
  return true;
}

// lib_declaration ::= "lib" "(" STRING ")" ...
bool Interpreter::LibPathEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::LibPathEvent";
  const bool pathRead = current_->TypeId() == TYPE_LIB;
  if (pathRead && Is(code, text, TYPE_PARENTHESIS, ")")) {
    PopHandler();
    PushHandler(&Interpreter::LibBeginBodyEvent);
    return true;
  }
  if (!pathRead && code == TYPE_CONST) {
    if (text.size() < 3) return Fail(ErrorCode::EXPECTING_MODULE_NAME, kWhere);
    auto* scope = static_cast<Scope*>(current_);
    auto* library = new LibType(TokenPosition(text), scope, text.substr(1, text.size() - 2));
    // A second library of the same module keeps the first entry.
    scope->AddDefinition(library);
    Attach(library);
    current_ = library;
    return true;
  }
  if (code == TYPE_PARENTHESIS) return Fail(ErrorCode::UNEXPECTED_CHARACTER, kWhere);
  return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
}

// lib_declaration ::= "lib" "(" STRING ")" "{" ...
bool Interpreter::LibBeginBodyEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::LibBeginBodyEvent";
  if (current_->TypeId() != TYPE_LIB) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (!Is(code, text, TYPE_SCOPE, "{")) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  PopHandler();
  PushHandler(&Interpreter::LibBodyEvent);
  return true;
}

// lib_body ::= { function_declaration ";" } "}"
bool Interpreter::LibBodyEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::LibBodyEvent";
  const bool semicolon = Is(code, text, TYPE_SEMICOLON, ";");
  if (current_->TypeId() == TYPE_FUNCTION_REF_TYPE) {
    // A declaration's argument list has ended.
    return semicolon ? CreateFunctionLibPtr() : Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  if (current_->TypeId() != TYPE_LIB) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (Is(code, text, TYPE_SCOPE, "}")) return EndLibBody();
  if (semicolon) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  PushHandler(&Interpreter::LibFunctionNameEvent);
  PushHandler(&Interpreter::LibFunctionTypeEventHandler);
  return OnEvent(code, text);
}

// lib_type ::= SCALAR | STRUCT_NAME | "array" "<" ... ">" | "function" "<" NAME ">"
bool Interpreter::LibFunctionTypeEventHandler(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::LibFunctionTypeEventHandler";
  PopHandler();
  if (Is(code, text, TYPE_PARENTHESIS, ")")) return OnEvent(code, text);  // the end of the list decides
  if (code == TYPE_FUNCTION) return StartFunctionRefType(FunctionRefRole::Library, true);
  if (code == TYPE_ARRAY) return ReadPendingArrayType(text, current_, &Interpreter::PendingArrayTypeEnd);
  if (code >= TYPE_SIZEOF && code <= TYPE_CAST) return Fail(ErrorCode::EXPECTING_TYPE_NAME, kWhere);
  pendingType_.reset(NamedType(code, text, kWhere));
  return pendingType_ != nullptr;
}

// function_declaration ::= lib_type ["@" ["@"]] NAME "(" ...
bool Interpreter::LibFunctionNameEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::LibFunctionNameEvent";
  if (code == TYPE_REF) {
    return AddReferenceMarker(pendingType_.get(), TokenPosition(text), 2) || Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  if (code != TYPE_TOKEN) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  if (!ErrorIfDynamicArray(pendingType_.get())) return false;
  auto* library = static_cast<LibType*>(current_);
  const SourcePosition position = TokenPosition(text);
  for (const Type* member : library->Members()) {
    if (member->Position().symbol == position.symbol) {
      return Fail(ErrorCode::DUPLICATE_DECLARATION, "script::Interpreter::CreateMemberDecNode");
    }
  }
  // The function's type lists the return type, then the argument types; the
  // member variable named after it holds its address.
  auto* member = new FunctionRefType(position, library);
  library->AddMember(member);
  Type* returned = pendingType_.release();
  returned->SetParent(member);
  member->AddEntry(returned, returned->Position());
  member->AddItem(new Variable(position, member, member));
  current_ = member;
  PopHandler();
  PushHandler(&Interpreter::LibFunctionDecEvent);
  return true;
}

// function_declaration ::= lib_type ["@" ["@"]] NAME "(" ...
bool Interpreter::LibFunctionDecEvent(int32_t code, const std::string& text) {
  if (!Is(code, text, TYPE_PARENTHESIS, "(")) {
    return Fail(ErrorCode::EXPECTING_PARENTHESIS, "script::Interpreter::LibFunctionDecEvent");
  }
  PopHandler();
  PushHandler(&Interpreter::LibFunctionNextArgTypeEvent);
  PushHandler(&Interpreter::LibFunctionTypeEventHandler);
  return true;
}

// arguments ::= [lib_type ["@" ["@"]] {"," lib_type ["@" ["@"]]}] ")"
bool Interpreter::LibFunctionNextArgTypeEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::LibFunctionNextArgTypeEvent";
  auto* member = static_cast<FunctionRefType*>(current_);
  if (code == TYPE_REF) {
    return pendingType_ != nullptr && AddReferenceMarker(pendingType_.get(), TokenPosition(text), 2)
               ? true
               : Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  const bool comma = code == TYPE_COMMA;
  if (!comma && !Is(code, text, TYPE_PARENTHESIS, ")")) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  if (pendingType_ != nullptr) {
    if (!ErrorIfDynamicArray(pendingType_.get())) return false;
    Type* argument = pendingType_.release();
    argument->SetParent(member);
    member->AddEntry(argument, argument->Position());
  } else if (comma || member->Entries().size() > 1) {
    // Only "(" ")" closes a list without a type before it.
    return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  if (comma) {
    PushHandler(&Interpreter::LibFunctionTypeEventHandler);
    return true;
  }
  PopHandler();  // back in the body, which expects the ";"
  return true;
}

bool Interpreter::CreateFunctionLibPtr() {
  auto* member = static_cast<FunctionRefType*>(current_);
  auto* library = static_cast<LibType*>(member->Parent());
  const std::string& name = symbols_.Symbol(member->Position().symbol);
  library->AddFunction(new FunctionLibPtr(member->Position(), library, member, name));
  current_ = library;
  return true;
}

bool Interpreter::EndLibBody() {
  auto* library = static_cast<LibType*>(current_);
  // Strings cannot cross into native code: the trace leads from the library
  // down to the string type.
  std::vector<SourcePosition> path;
  if (!library->IsSafeType(error_, path)) {
    for (auto at = path.rbegin(); at != path.rend(); ++at) {
      std::string name = symbols_.Symbol(at->symbol);
      if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
      error_->Trace().push_back("        " + name + ": \"" + symbols_.File(at->file) +
                                "\", line: " + std::to_string(at->line) + ", pos: " + std::to_string(at->position));
    }
    return false;
  }
  if (!library->ComputeLayout()) return Fail(ErrorCode::INTERNAL_ERROR, "script::Interpreter::LibBodyEvent");
  PopHandler();
  PushHandler(&Interpreter::LibVarDecEvent);
  return true;
}

// lib_declaration ::= ... "}" NAME
bool Interpreter::LibVarDecEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code != TYPE_TOKEN) return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::LibVarDecEvent");
  auto* library = static_cast<LibType*>(current_);
  const SourcePosition position = TokenPosition(text);
  StackSlotReservation slot{};
  if (!ReserveAlignedStackSpotIfNotDeclared(library, position, slot)) return false;
  const auto offset = static_cast<int32_t>(slot.offset & ~kGlobalSlotBit);
  auto* variable = new LibNode(position, library, library, slot.index, offset);
  library->AddItem(variable);
  Scope* scope = EnclosingScope();
  scope->AddDefinition(variable);
  current_ = scope;
  return true;
}

}  // namespace script
