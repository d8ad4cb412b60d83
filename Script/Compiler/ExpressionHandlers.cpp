// Expressions: operands, operator insertion by precedence, parentheses,
// subscripts, member access and the end of an expression statement.
#include "Script/Compiler/ExpressionHeight.h"
#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/Parenthesis.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Errors/ErrorVariable.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Functions/FunctionCall.h"
#include "Script/Expressions/Operators/OperatorFactory.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Variables/ConstVariable.h"
#include "Script/Expressions/Library/LibNode.h"
#include "Script/Expressions/Library/LibType.h"
#include "Script/Expressions/Variables/MemberAccess.h"
#include "Script/Expressions/Variables/SubscriptNode.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Stack/StackMemory.h"

namespace script {

namespace {

constexpr const char* kExpEvent = "script::Interpreter::ExpEvent";

bool IsPrefixStep(int32_t id) { return id == TYPE_PRE_INC_OP || id == TYPE_PRE_DEC_OP; }

// Nodes that belong to an expression rather than hold one.
bool IsExpressionPart(const Node* node) {
  int32_t id = node->TypeId();
  return IsKindOf(id, TYPE_OPERATOR) || id == TYPE_TOKEN || id == TYPE_LIB_VAR || id == TYPE_ERROR_VAR ||
         id == TYPE_CONST || id == TYPE_FUNCTION_CALL || id == TYPE_PRE_POST_EXPRESSIONS;
}

// Operators that take part in precedence climbing; subscripts, parentheses
// and member accesses hold their operands apart.
bool IsClimbingOperator(const Node* node) {
  int32_t id = node->TypeId();
  return IsKindOf(id, TYPE_OPERATOR) && id != TYPE_SUBSCRIPT && id != TYPE_PARENTHESIS && id != TYPE_DOT;
}

// Whether `child` continues the access chain of `parent` (a.b, a[i], f()).
bool IsAccessLink(const Node* parent, const Node* child) {
  if (parent->Right() != child) return false;
  int32_t id = parent->TypeId();
  return id == TYPE_TOKEN || id == TYPE_LIB_VAR || id == TYPE_ERROR_VAR || id == TYPE_DOT || id == TYPE_SUBSCRIPT ||
         id == TYPE_FUNCTION_CALL;
}

// The head of the access chain the node belongs to.
Node* OperandTop(Node* node) {
  while (node->Parent() != nullptr && IsAccessLink(node->Parent(), node)) node = node->Parent();
  return node;
}

// The root of the expression the node belongs to.
Node* StatementRoot(Node* node) {
  while (node->Parent() != nullptr && IsExpressionPart(node->Parent())) node = node->Parent();
  return node;
}

// The type of the value an access-chain node yields, or null.
Type* OperandType(const Node* node) {
  if (node->TypeId() == TYPE_SUBSCRIPT) {
    Type* base = node->Parent() != nullptr ? OperandType(node->Parent()) : nullptr;
    return base != nullptr && base->TypeId() == TYPE_ARRAY ? static_cast<ArrayType*>(base)->ElementType() : nullptr;
  }
  int32_t id = node->TypeId();
  if (id == TYPE_TOKEN || id == TYPE_LIB_VAR || id == TYPE_ERROR_VAR) return static_cast<const Variable*>(node)->GetType();
  if (id == TYPE_FUNCTION_CALL) return static_cast<const FunctionCall*>(node)->GetResultType();
  return nullptr;
}

bool IsStructType(const Type* type) {
  if (type == nullptr) return false;
  int32_t id = type->TypeId();
  return id == TYPE_AGGREGATE_TYPE || id == TYPE_LIB || id == TYPE_ERROR_TYPE;
}

}  // namespace

Node* Interpreter::FindDeclaration(uint32_t symbol) const {
  for (Node* node = current_; node != nullptr; node = node->Parent()) {
    if (node->TypeId() != TYPE_SCOPE) continue;
    if (Node* found = static_cast<Scope*>(node)->FindDefinition(symbol)) return found;
  }
  return nullptr;
}

Variable* Interpreter::CreateVariableNode(const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::CreateVariableNode";
  SourcePosition position = TokenPosition(text);
  Node* declaration = FindDeclaration(position.symbol);
  if (declaration != nullptr && declaration->TypeId() == TYPE_FUNCTION) {
    // A function's name: a call's callee, or a function reference value.
    Type* prototype = static_cast<Function*>(declaration)->GetPrototype();
    return new Variable(position, current_, prototype, 0, Variable::kNoStorage);
  }
  if (declaration != nullptr && declaration->TypeId() == TYPE_LIB_VAR) {
    const auto* library = static_cast<const LibNode*>(declaration);
    return new LibNode(position, current_, static_cast<LibType*>(library->GetType()), library->SlotIndex(),
                       library->StorageOffset());
  }
  if (declaration != nullptr && declaration->TypeId() == TYPE_ERROR_VAR) {
    const auto* declared = static_cast<const ErrorVariable*>(declaration);
    return new ErrorVariable(position, current_, declared->GetType(), declared->SlotIndex(), declared->StorageOffset());
  }
  if (declaration == nullptr || declaration->TypeId() != TYPE_TOKEN) {
    Fail(ErrorCode::UNDEFINED_SYMBOL, kWhere);
    return nullptr;
  }
  const auto* declared = static_cast<const Variable*>(declaration);
  auto* variable = new Variable(position, current_, declared->GetType());
  variable->SetSlotIndex(declared->SlotIndex());
  variable->SetStorageOffset(declared->StorageOffset());
  return variable;
}

uint32_t Interpreter::ReserveBindingSlot(Type* type) {
  Scope* frame = FrameScope();
  frame->ReserveSlot(type, SourcePosition{}, type->GetSlotSize(), type->GetAlignment());
  const uint32_t frameBit = frame == root_ ? kGlobalSlotBit : 0;
  return static_cast<uint32_t>(frame->FrameLayout().size() - 1) | frameBit | StackMemory::kRebindingBit;
}

// expression -> operand ( binary-operator operand )* [ "++" | "--" ]
// expression-rest -> what follows an operand: an operator, a postfix
// operator, "[" subscripts, "." member, "(" arguments, or the end.
bool Interpreter::ExpEvent(int32_t code, const std::string& text) {
  switch (code) {
    case TOKEN_HEX_PREFIX:
    case TOKEN_HEX_SUFFIX:
    case TOKEN_BINARY:
    case TOKEN_EXPONENT:
      return ExpNumberTokenEvent(code, text, &Interpreter::AppendValueNode2Op);
    case TYPE_INC_OP:
    case TYPE_DEC_OP:
      return PostfixEvent(code, text);
    case TYPE_DOT:
      return MemberAccessOpen(code, text);
    case TYPE_SUBSCRIPT:
      if (text == "]") {
        PopHandler();
        return OnEvent(code, text);
      }
      PushHandler(&Interpreter::SubscriptOpenEvent);
      return OnEvent(code, text);
    case TYPE_PARENTHESIS:
      return text == "(" ? OpenParenthesis(code, text) : CloseParenthesis(code, text);
    case TYPE_COMMA:
      PopHandler();
      return OnEvent(code, text);
    case TYPE_SEMICOLON:
      return text == ";" ? EndFullExpression(code, text) : Fail(ErrorCode::SYNTAX_ERROR, kExpEvent);
    default:
      break;
  }
  // "!" and "~" take no left operand: after an operand they end the expression.
  bool binary = code >= TYPE_ASSIGN && code <= TYPE_REF_ASSIGN && code != TYPE_NOT && code != TYPE_BIT_NOT;
  if (binary) return InsertOperator(code, text);
  if (code >= TYPE_BOOL && code <= TYPE_STRING) return Fail(ErrorCode::SYNTAX_ERROR, kExpEvent);
  PopHandler();
  return OnEvent(code, text);
}

// operand -> literal | NAME | built-in | prefix-operator operand | "(" expression ")"
bool Interpreter::Append2Op(int32_t code, const std::string& text) {
  PopHandler();
  return StartOperand(code, text, &Interpreter::AppendValueNode2Op);
}

bool Interpreter::StartOperand(int32_t code, const std::string& text, bool (Interpreter::*attach)(Node*),
                               const char* where) {
  switch (code) {
    case TYPE_TOKEN: {
      Variable* variable = CreateVariableNode(text);
      return variable != nullptr && (this->*attach)(variable);
    }
    case TYPE_CONST:
    case TYPE_CONST_BOOL: {
      auto* constant = new ConstVariable(TokenPosition(text), current_);
      bool isString = code == TYPE_CONST;
      std::string literal = isString ? text.substr(1, text.size() - 2) : text;
      if (!constant->SetLiteral(BuiltInType(isString ? TYPE_STRING : TYPE_BOOL), literal, heap_)) {
        delete constant;
        return Fail(ErrorCode::OUT_OF_MEMORY, where);  // no room for the string
      }
      return (this->*attach)(constant);
    }
    case TYPE_INC_OP:
    case TYPE_DEC_OP:
    case TYPE_BIT_NOT:
    case TYPE_NOT: {
      int32_t id = code == TYPE_INC_OP ? TYPE_PRE_INC_OP : code == TYPE_DEC_OP ? TYPE_PRE_DEC_OP : code;
      Node* prefix = CreateOperatorNode(id, TokenPosition(text), current_);
      if (!(this->*attach)(prefix)) return false;
      PushHandler(&Interpreter::Append2Op);
      return true;
    }
    case TYPE_PARENTHESIS:
      return text == "(" ? OpenParenthesis(code, text) : Fail(ErrorCode::SYNTAX_ERROR, where);
    case TYPE_CONST_NUM:
    case TYPE_DOT:
    case TYPE_ADD:
    case TYPE_SUB:
      return StartNumber(code, text, attach);
    case TOKEN_HEX_PREFIX:
    case TOKEN_HEX_SUFFIX:
    case TOKEN_BINARY:
    case TOKEN_EXPONENT:
      return ExpNumberTokenEvent(code, text, attach);
    default:
      break;
  }
  if (code >= TYPE_SIZEOF && code <= TYPE_CAST) {
    Variable* builtIn = CreateBuiltInNameNode(code, text);
    if (builtIn == nullptr || !(this->*attach)(builtIn)) return false;
    if (code == TYPE_CAST) PushHandler(&Interpreter::CastOpenTypeExpression);
    return true;
  }
  return Fail(ErrorCode::SYNTAX_ERROR, where);
}

bool Interpreter::AppendValueNode2Op(Node* node) {
  constexpr const char* kWhere = "script::Interpreter::AppendValueNode2Op";
  if (IsPrefixStep(current_->TypeId())) {
    if (node->TypeId() != TYPE_TOKEN) {
      delete node;
      return Fail(ErrorCode::OPERATOR_NEEDS_VARIABLE, kWhere);
    }
    // The increment applies to the variable: it moves into the variable's
    // step chain, and the variable takes its place.
    Node* prefix = current_;
    prefix->Parent()->SubstituteChild(prefix, node);
    node->SetLeft(prefix);
    prefix->SetParent(node);
    current_ = node;
    return true;
  }
  int32_t id = current_->TypeId();
  bool takesOperand = (id >= TYPE_ASSIGN && id <= TYPE_REF_ASSIGN) || id == TYPE_RETURN ||
                      (id == TYPE_PARENTHESIS && !static_cast<Parenthesis*>(current_)->IsClosed());
  if (!takesOperand || current_->Right() != nullptr) {
    delete node;
    return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  node->SetParent(current_);
  current_->SetRight(node);
  current_ = node;
  return true;
}

// Precedence climbing: a new binary operator takes the place of the operand
// before it, or climbs over operators that bind at least as tightly.
bool Interpreter::InsertOperator(int32_t code, const std::string& text) {
  Node* x = OperandTop(current_);
  if (x->TypeId() == TYPE_ERROR_VAR && x->Right() == nullptr) {
    return Fail(ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE, kExpEvent);
  }
  Node* p = x->Parent();
  if (p == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kExpEvent);
  Node* o = CreateNode(code, text);
  if (o == nullptr) return false;

  bool attached;
  if (!IsClimbingOperator(p)) {
    attached = AttachOperatorByParent(p, x, o, code);
  } else {
    int32_t d = Precedence(p->TypeId());
    int32_t f = Precedence(code);
    Associativity associativity = AssociativityOf(code);
    if (f < d || (f == d && associativity == ASSOC_RIGHT_TO_LEFT)) {
      p->SubstituteChild(x, o);
      o->SetLeft(x);
      x->SetParent(o);
      attached = true;
    } else if (f == d && associativity == ASSOC_NONE) {
      attached = Fail(ErrorCode::INTERNAL_ERROR, kExpEvent);
    } else {
      Node* top = p;
      while (top->Parent() != nullptr && IsClimbingOperator(top->Parent()) && Precedence(top->Parent()->TypeId()) <= f) {
        top = top->Parent();
      }
      Node* q = top->Parent();
      attached = q != nullptr && q->TypeId() != TYPE_SWITCH ? AttachOperatorByParent(q, top, o, code)
                                                           : Fail(ErrorCode::INTERNAL_ERROR, kExpEvent);
    }
  }
  if (!attached) {
    delete o;
    return false;
  }
  current_ = o;
  PushHandler(&Interpreter::Append2Op);
  return true;
}

bool Interpreter::AttachOperatorByParent(Node* p, Node* x, Node* o, int32_t code) {
  int32_t id = p->TypeId();
  if ((id == TYPE_FUNCTION_REF_TYPE || id == TYPE_AGGREGATE_TYPE) && code != TYPE_ASSIGN && code != TYPE_REF_ASSIGN) {
    return Fail(ErrorCode::ILLEGAL_OPERATION_ON_TYPE, kExpEvent);
  }
  if (!p->SubstituteChild(x, o)) {
    return Fail(id == TYPE_ARRAY ? ErrorCode::SYNTAX_ERROR : ErrorCode::INTERNAL_ERROR, kExpEvent);
  }
  o->SetLeft(x);
  x->SetParent(o);
  return true;
}

bool Interpreter::CheckFullExpression(Node* root, Type** resultType) {
  Node* container = root->Parent();
  Type* type = nullptr;
  PrePostExpressions* wrapper = nullptr;
  // The check recurses through the tree: refuse a tree too deep first.
  if (!NestingAllowed(root, ExpressionHeight(root, kMaxNestingDepth))) return false;
  if (!root->IsExpression(&type, &wrapper, error_)) {
    delete wrapper;
    return false;
  }
  if (resultType != nullptr) *resultType = type;
  if (wrapper == nullptr) return true;
  wrapper->Wrap(root);
  if (!container->ReplaceChild(wrapper)) {
    return Fail(ErrorCode::INTERNAL_ERROR, "script::Interpreter::CheckFullExpression");
  }
  return true;
}

// expression-statement -> expression ";"
bool Interpreter::EndFullExpression(int32_t code, const std::string& text) {
  if (OpenCall() != nullptr) return Fail(ErrorCode::SYNTAX_ERROR, kExpEvent);
  Node* root = StatementRoot(current_);
  // A returned value is checked by its return statement.
  if (root->Parent()->TypeId() == TYPE_RETURN) root = root->Parent();
  Node* container = root->Parent();
  if (!CheckFullExpression(root)) return false;
  current_ = container;
  PopHandler();
  return OnEvent(code, text);
}

// postfix -> operand ( "++" | "--" )
bool Interpreter::PostfixEvent(int32_t code, const std::string& text) {
  int32_t id = current_->TypeId();
  if (id == TYPE_FUNCTION_CALL) return Fail(ErrorCode::OPERATOR_NOT_ALLOWED_ON_FUNCTION_CALL, kExpEvent);
  if (id != TYPE_TOKEN && id != TYPE_SUBSCRIPT) return Fail(ErrorCode::OPERATOR_NEEDS_VARIABLE, kExpEvent);
  Node* step = CreateOperatorNode(code == TYPE_INC_OP ? TYPE_POST_INC_OP : TYPE_POST_DEC_OP, TokenPosition(text),
                                  current_);
  Node* tail = current_;
  while (tail->Left() != nullptr) tail = tail->Left();
  tail->SetLeft(step);
  return true;
}

// parenthesis -> "(" expression ")"
bool Interpreter::OpenParenthesis(int32_t, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::OpenParenthesis";
  int32_t id = current_->TypeId();
  if (IsPrefixStep(id)) return Fail(ErrorCode::EXPECTING_VARIABLE, kWhere);
  if (IsVariableLike(id)) {
    // A name followed by "(": a call.
    PushHandler(&Interpreter::FunctionCallEvent);
    return OnEvent(TYPE_PARENTHESIS, text);
  }
  auto* parenthesis = new Parenthesis(TokenPosition(text), current_);
  bool placed;
  if (id == TYPE_SUBSCRIPT) {
    placed = AppendValueNode2Subscript(parenthesis);
  } else if (id == TYPE_FUNCTION_CALL && static_cast<FunctionCall*>(current_)->IsOpen()) {
    placed = AppendValueNode2Arg(parenthesis);
  } else if (id == TYPE_ARRAY) {
    placed = AppendValueNode2Dimension(parenthesis);
  } else if (id == TYPE_SCOPE || ExpectsBodyStatement()) {
    Attach(parenthesis);
    current_ = parenthesis;
    PushHandler(&Interpreter::ExpEvent);
    placed = true;
  } else if (id == TYPE_PARENTHESIS || (id >= TYPE_ASSIGN && id <= TYPE_REF_ASSIGN) || id == TYPE_RETURN) {
    placed = AppendValueNode2Op(parenthesis);
  } else if (IsKindOf(id, TYPE_CONDITIONAL)) {
    placed = AttachToStatementHeader(parenthesis);
  } else {
    delete parenthesis;
    return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
  if (!placed) return false;
  PushHandler(&Interpreter::Append2Op);
  return true;
}

bool Interpreter::CloseParenthesis(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::CloseParenthesis";
  Node* node = current_;
  while (node != nullptr && node->TypeId() != TYPE_SCOPE && !IsKindOf(node->TypeId(), TYPE_CONDITIONAL) &&
         !(node->TypeId() == TYPE_PARENTHESIS && !static_cast<Parenthesis*>(node)->IsClosed()) &&
         !(node->TypeId() == TYPE_FUNCTION_CALL && static_cast<FunctionCall*>(node)->IsOpen())) {
    node = node->Parent();
  }
  if (node != nullptr && node->TypeId() == TYPE_FOR) {
    current_ = node;
    return EndForStep(code, text);
  }
  if (node != nullptr && node->TypeId() == TYPE_FUNCTION_CALL) {
    // The end of the argument list: the argument's handlers end here.
    while (!handlers_.empty() && TopHandler() != &Interpreter::FunctionCallNextArgEvent) PopHandler();
    PopHandler();
    return CloseCall(static_cast<FunctionCall*>(node));
  }
  if (node == nullptr || node->TypeId() != TYPE_PARENTHESIS) return Fail(ErrorCode::UNEXPECTED_PARENTHESIS, kWhere);
  static_cast<Parenthesis*>(node)->Close();
  current_ = node;
  return IsStatementCondition(node) ? EndCondition(node) : true;
}

// subscript -> operand "[" expression ( "," expression )* "]"
bool Interpreter::SubscriptOpenEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code != TYPE_SUBSCRIPT || text != "[") return OnEvent(code, text);
  Type* type = OperandType(current_);
  if (type == nullptr || type->TypeId() != TYPE_ARRAY || current_->Right() != nullptr) {
    return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::SubscriptOpenEvent");
  }
  auto* subscript = new SubscriptNode(TokenPosition(text), current_);
  current_->SetRight(subscript);
  subscript->SetBindingSlot(ReserveBindingSlot(static_cast<ArrayType*>(type)->ElementType()));
  current_ = subscript;
  PushHandler(&Interpreter::ArrayBeginSubscriptEvent);
  return true;
}

bool Interpreter::ArrayBeginSubscriptEvent(int32_t code, const std::string& text) {
  PopHandler();
  PushHandler(&Interpreter::ArrayEndSubscriptEvent);
  PushHandler(&Interpreter::ExpEvent);
  if (code == TYPE_PARENTHESIS && text == "(") return OpenParenthesis(code, text);
  return StartOperand(code, text, &Interpreter::AppendValueNode2Subscript);
}

bool Interpreter::ArrayEndSubscriptEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ArrayEndSubscriptEvent";
  Node* subscript = current_;
  while (subscript != nullptr && !(subscript->TypeId() == TYPE_SUBSCRIPT &&
                                   static_cast<SubscriptNode*>(subscript)->IsOpen())) {
    subscript = subscript->Parent();
  }
  if (subscript == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  current_ = subscript;
  if (code == TYPE_COMMA) {
    PopHandler();
    PushHandler(&Interpreter::ArrayBeginSubscriptEvent);
    return true;
  }
  if (code == TYPE_SUBSCRIPT && text == "]") return CloseSubscript();
  return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
}

bool Interpreter::CloseSubscript() {
  auto* subscript = static_cast<SubscriptNode*>(current_);
  subscript->Close();
  PopHandler();
  const ArrayType* array = subscript->BaseArrayType();
  const Type* element = array != nullptr ? array->ElementType() : nullptr;
  if (element != nullptr && element->TypeId() == TYPE_FUNCTION_REF_TYPE) PushHandler(&Interpreter::FunctionCallEvent);
  return true;
}

bool Interpreter::AppendValueNode2Subscript(Node* node) {
  if (current_->TypeId() != TYPE_SUBSCRIPT) {
    delete node;
    return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::AppendValueNode2Subscript");
  }
  node->SetParent(current_);
  static_cast<SubscriptNode*>(current_)->AddIndex(node);
  current_ = node;
  return true;
}

// member-access -> operand "." MEMBER-NAME
bool Interpreter::MemberAccessOpen(int32_t, const std::string& text) {
  if (!IsStructType(OperandType(current_)) || current_->Right() != nullptr) {
    return Fail(ErrorCode::SYNTAX_ERROR, kExpEvent);
  }
  auto* access = new MemberAccess(TokenPosition(text), current_);
  current_->SetRight(access);
  current_ = access;
  PushHandler(&Interpreter::MemberAccessEvent);
  return true;
}

bool Interpreter::MemberAccessEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::MemberAccessEvent";
  PopHandler();
  if (code != TYPE_TOKEN) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  if (current_->TypeId() != TYPE_DOT) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  auto* structure = static_cast<AggregateType*>(OperandType(current_->Parent()));
  SourcePosition position = TokenPosition(text);
  const Variable* member = structure->FindMember(position.symbol);
  if (member == nullptr) return Fail(ErrorCode::UNKNOWN_MEMBER_NAME, "script::Interpreter::CreateMemberVariableNode");
  auto* variable = new Variable(position, current_, *member, ReserveBindingSlot(member->GetType()));
  current_->SetRight(variable);
  current_ = variable;
  return true;
}

}  // namespace script
