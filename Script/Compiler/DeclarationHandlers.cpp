// Declarations: variables of scalar and struct types with initialisers, and
// structs with their members.
#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Variables/Reference.h"
#include "Script/Expressions/Variables/Variable.h"

namespace script {

namespace {

// Whether a value of a member's type holds, in place, a structure still
// being defined: the member's own structure or one it is nested in. Arrays
// hold their elements in place; references hold an address only.
bool HoldsOpenStructure(const Type* type, const Node* structure) {
  while (type != nullptr && type->ReferenceMode() == 0 && type->TypeId() == TYPE_ARRAY) {
    type = static_cast<const ArrayType*>(type)->ElementType();
  }
  if (type == nullptr || type->ReferenceMode() != 0 || type->TypeId() != TYPE_AGGREGATE_TYPE) return false;
  const AggregateType* held = static_cast<const AggregateType*>(type)->Defining();
  for (const Node* open = structure; open != nullptr && open->TypeId() == TYPE_AGGREGATE_TYPE; open = open->Parent()) {
    if (open == held) return true;
  }
  return false;
}

}  // namespace

// declaration -> TYPE declarator ( "," declarator )* ";"
// declarator -> [ "@" [ "@" ] ] NAME [ "=" expression ]
bool Interpreter::BeginVariableDeclaration(Type* type) {
  Attach(type);
  current_ = type;
  PushHandler(&Interpreter::TypeDecEvent);
  return true;
}

AggregateType* Interpreter::UseStructType(uint32_t symbol, const std::string& text) {
  Node* declaration = FindDeclaration(symbol);
  if (declaration == nullptr || declaration->TypeId() != TYPE_AGGREGATE_TYPE) return nullptr;
  auto* type = new AggregateType(TokenPosition(text), current_);
  type->SetDefinition(static_cast<AggregateType*>(declaration));
  return type;
}

bool Interpreter::TypeDecEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::TypeDecEvent";
  if (code != TYPE_TOKEN) return Fail(ErrorCode::EXPECTING_SYMBOL, kWhere);
  auto* type = static_cast<Type*>(current_);
  SourcePosition position = TokenPosition(text);
  Scope* scope = EnclosingScope();
  if (scope == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (scope->FindDefinition(position.symbol) != nullptr) return Fail(ErrorCode::DUPLICATE_DECLARATION, kWhere);
  StackSlotReservation slot{};
  if (!ReserveAlignedStackSpotIfNotDeclared(type, position, slot)) return false;
  auto* variable = new Variable(position, type, type);
  variable->SetSlotIndex(slot.index);
  variable->SetStorageOffset(static_cast<int32_t>(slot.offset & ~kGlobalSlotBit));
  type->AddItem(variable);
  scope->AddDefinition(variable);
  current_ = variable;
  PopHandler();
  PushHandler(&Interpreter::TypeDecNextEvent);
  PushHandler(&Interpreter::ExpEvent);
  PushHandler(&Interpreter::TypeInitEvent);
  return true;
}

bool Interpreter::TypeInitEvent(int32_t code, const std::string& text) {
  bool initialiser = code == TYPE_ASSIGN || code == TYPE_REF_ASSIGN;
  bool end = code == TYPE_COMMA || (code == TYPE_SEMICOLON && text == ";");
  if (!initialiser && !end) return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::TypeInitEvent");
  PopHandler();
  return OnEvent(code, text);
}

bool Interpreter::TypeDecNextEvent(int32_t code, const std::string& text) {
  if (code == TYPE_COMMA) {
    Node* declarator = current_;
    while (declarator->Parent() != nullptr && !IsKindOf(declarator->Parent()->TypeId(), TYPE_AGGREGATE_TYPE_COLLECTION)) {
      declarator = declarator->Parent();
    }
    Node* type = declarator->Parent();
    if (type == nullptr || !CheckFullExpression(declarator)) return false;
    current_ = type;
    PopHandler();
    PushHandler(&Interpreter::TypeDecEvent);
    return true;
  }
  if (code == TYPE_SEMICOLON && text == ";") {
    // The last declarator was checked where the expression ended.
    current_ = current_->Parent();
    PopHandler();
    return true;
  }
  return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::TypeDecNextEvent");
}

// struct-declaration -> "struct" NAME "{" member-declaration* "}" [ declarator ( "," declarator )* ] ";"
// member-declaration -> TYPE [ "@" [ "@" ] ] NAME ( "," NAME )* ";"
bool Interpreter::AggregateEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::AggregateEvent";
  PopHandler();
  if (code != TYPE_TOKEN) return Fail(ErrorCode::EXPECTING_STRUCT_NAME, kWhere);
  Scope* scope = EnclosingScope();
  auto* structure = new AggregateType(TokenPosition(text), current_);
  if (scope == nullptr || !scope->AddDefinition(structure)) {
    delete structure;
    return Fail(ErrorCode::DUPLICATE_DECLARATION, kWhere);
  }
  if (current_->TypeId() == TYPE_AGGREGATE_TYPE) {
    static_cast<AggregateType*>(current_)->AddMember(structure);  // a structure defined inside another
  } else {
    Attach(structure);
  }
  current_ = structure;
  PushHandler(&Interpreter::AggregateBeginEvent);
  return true;
}

bool Interpreter::AggregateBeginEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code != TYPE_SCOPE || text != "{") return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::AggregateBeginEvent");
  PushHandler(&Interpreter::AggregateBodyEvent);
  return true;
}

bool Interpreter::AggregateBodyEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::AggregateBodyEvent";
  auto* structure = static_cast<AggregateType*>(current_);
  Type* member = nullptr;
  if (code >= TYPE_BOOL && code <= TYPE_STRING) {
    member = new Type(code, TokenPosition(text), structure);
  } else if (code == TYPE_TOKEN) {
    member = UseStructType(TokenPosition(text).symbol, text);
    if (member == nullptr) return Fail(ErrorCode::UNDEFINED_TYPE, kWhere);
  } else if (code == TYPE_SCOPE && text == "}") {
    return AggregateEndEvent();
  } else if (code == TYPE_STRUCT) {
    PushHandler(&Interpreter::AggregateEvent);
    return true;
  } else if (code == TYPE_FUNCTION) {
    return StartFunctionRefType(FunctionRefRole::Member, true);
  } else if (code == TYPE_ARRAY) {
    auto* array = new ArrayType(TokenPosition(text), structure);
    structure->AddMember(array);
    return ReadArrayType(array, &Interpreter::AggregateMemberDecEvent);
  } else if (code >= TYPE_SIZEOF && code <= TYPE_CAST) {
    return Fail(ErrorCode::EXPECTING_TYPE_NAME, kWhere);
  } else {
    return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  structure->AddMember(member);
  current_ = member;
  PushHandler(&Interpreter::AggregateMemberDecEvent);
  return true;
}

bool Interpreter::AggregateMemberDecEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::AggregateMemberDecEvent";
  auto* member = static_cast<Type*>(current_);
  if (code == TYPE_REF) {
    if (member->ReferenceMode() != 0) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
    member->SetLeft(new Reference(TokenPosition(text), member));
    return true;
  }
  if (code != TYPE_TOKEN) return Fail(ErrorCode::EXPECTING_VARIABLE_NAME, kWhere);
  if (!ErrorIfDynamicArray(member)) return false;
  SourcePosition position = TokenPosition(text);
  auto* structure = static_cast<AggregateType*>(member->Parent());
  // A structure cannot hold itself, nor one it is defined in, by value: its
  // size would have no end.
  if (HoldsOpenStructure(member, structure)) return Fail(ErrorCode::UNDEFINED_TYPE, kWhere);
  if (structure->FindMember(position.symbol) != nullptr) {
    return Fail(ErrorCode::DUPLICATE_DECLARATION, "script::Interpreter::CreateMemberDecNode");
  }
  member->AddItem(new Variable(position, member, member));
  PopHandler();
  PushHandler(&Interpreter::AggregateMemberDecNextEvent);
  return true;
}

bool Interpreter::AggregateMemberDecNextEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code == TYPE_COMMA) {
    PushHandler(&Interpreter::AggregateMemberDecEvent);
    return true;
  }
  if (code == TYPE_SEMICOLON && text == ";") {
    current_ = current_->Parent();
    return true;
  }
  return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::AggregateMemberDecNextEvent");
}

bool Interpreter::AggregateEndEvent() {
  auto* structure = static_cast<AggregateType*>(current_);
  if (!structure->ComputeLayout()) return Fail(ErrorCode::INTERNAL_ERROR, "script::Interpreter::AggregateEndEvent");
  PopHandler();
  PushHandler(&Interpreter::AggregateVarDecEvent);
  return true;
}

bool Interpreter::AggregateVarDecEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::AggregateVarDecEvent";
  PopHandler();
  bool nested = current_->Parent() != nullptr && current_->Parent()->TypeId() == TYPE_AGGREGATE_TYPE;
  if (code == TYPE_SEMICOLON && text == ";") {
    current_ = current_->Parent();
    return true;
  }
  if (code == TYPE_TOKEN) {
    // Members of a structure defined in place, or variables of a new structure.
    PushHandler(nested ? &Interpreter::AggregateMemberDecEvent : &Interpreter::TypeDecEvent);
    return OnEvent(code, text);
  }
  if (code >= TYPE_SIZEOF && code <= TYPE_CAST) return Fail(ErrorCode::EXPECTING_VARIABLE_NAME, kWhere);
  return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
}

}  // namespace script
