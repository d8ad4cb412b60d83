// Statements: if, while, for, switch with its labels, break and continue,
// and the single-statement bodies of if, while and for.
//
// A body holds one statement. The ";" that ends it (a block body's "}" sends
// one) completes the if, while or for, whose parent becomes current and
// receives the ";" in turn: one ";" closes every single-statement body it
// ends. An if whose then-branch has ended waits for "else" first.
#include <charconv>

#include "Script/Compiler/Interpreter.h"
#include "Script/Compiler/NumberLiteral.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/ForNode.h"
#include "Script/Expressions/ControlFlow/IfNode.h"
#include "Script/Expressions/ControlFlow/JumpNodes.h"
#include "Script/Expressions/ControlFlow/SwitchLabels.h"
#include "Script/Expressions/ControlFlow/SwitchNode.h"
#include "Script/Expressions/ControlFlow/WhileNode.h"
#include "Script/Expressions/Scope.h"

namespace script {

namespace {

constexpr const char* kAppendValueNode2For = "script::Interpreter::AppendValueNode2For";
constexpr const char* kCloseParenthesis = "script::Interpreter::CloseParenthesis";

bool IsSwitchLabel(const Node* node) { return node->TypeId() == TYPE_CASE || node->TypeId() == TYPE_DEFAULT; }

bool IsFixedNumberToken(int32_t code) {
  return code == TYPE_CONST_NUM || code == TOKEN_HEX_PREFIX || code == TOKEN_HEX_SUFFIX || code == TOKEN_BINARY;
}

}  // namespace

// ---- conditions


// if-statement -> "if" "(" expression ")" body [ "else" body ]
// while-statement -> "while" "(" expression ")" body
// switch-statement -> "switch" "(" expression ")" "{" label* "}"
bool Interpreter::ConditionalStatement(int32_t code, const std::string& text) {
    const SourcePosition position = TokenPosition(text);
  Node* statement;
  if (code == TYPE_IF)
    statement = new IfNode(position, current_);
  else if (code == TYPE_WHILE)
    statement = new WhileNode(position, current_);
  else
    statement = new SwitchNode(position, current_);
  Attach(statement);
  current_ = statement;
  PushHandler(&Interpreter::ConditionalDecEvent);
  return true;
}

bool Interpreter::ConditionalDecEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ConditionalDecEvent";
  PopHandler();
  if (code != TYPE_PARENTHESIS) return Fail(ErrorCode::EXPECTING_PARENTHESIS, kWhere);
  if (text != "(") return Fail(ErrorCode::UNEXPECTED_PARENTHESIS, kWhere);
  PushHandler(&Interpreter::ExpEvent);
  return OpenParenthesis(code, text);
}

bool Interpreter::AttachToStatementHeader(Node* node) {
  if (current_->TypeId() == TYPE_FOR) return AttachForClause(node);
  auto* statement = static_cast<ConditionalNode*>(current_);
  const int32_t id = current_->TypeId();
  if ((id != TYPE_IF && id != TYPE_WHILE && id != TYPE_SWITCH) || statement->Condition() != nullptr) {
    delete node;
    return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::OpenParenthesis");
  }
  statement->SetCondition(node);
  current_ = node;
  return true;
}

bool Interpreter::IsStatementCondition(const Node* parenthesis) {
  const Node* parent = parenthesis->Parent();
  if (parent == nullptr) return false;
  const int32_t id = parent->TypeId();
  return (id == TYPE_IF || id == TYPE_WHILE || id == TYPE_SWITCH) &&
         static_cast<const ConditionalNode*>(parent)->Condition() == parenthesis;
}

bool Interpreter::EndCondition(Node* condition) {
  Node* statement = condition->Parent();
  if (!CheckFullExpression(condition)) return false;
  PopHandler();  // the condition's ExpEvent
  current_ = statement;
  if (statement->TypeId() == TYPE_SWITCH) PushHandler(&Interpreter::SwitchBodyEvent);
  return true;
}

// ---- single-statement bodies

bool Interpreter::ExpectsBodyStatement() const {
  switch (current_->TypeId()) {
    case TYPE_IF:
    case TYPE_WHILE:
      return static_cast<const ConditionalNode*>(current_)->Condition() != nullptr;
    case TYPE_FOR:
      return static_cast<const ForNode*>(current_)->PartBeingRead() == ForNode::PART_BODY;
    default:
      return false;
  }
}

void Interpreter::AttachBodyStatement(Node* statement) {
  if (current_->TypeId() == TYPE_IF)
    static_cast<IfNode*>(current_)->SetBranch(statement);
  else
    current_->SetLeft(statement);
  debugger_.AddToLineTable(statement);
}

bool Interpreter::BeginIfExpression(int32_t code, const std::string& text) {
  return BeginBodyStatement(code, text, "script::Interpreter::BeginIfExpression");
}

bool Interpreter::BeginWhileExpression(int32_t code, const std::string& text) {
  return BeginBodyStatement(code, text, "script::Interpreter::BeginWhileExpression");
}

bool Interpreter::BeginForExpression(int32_t code, const std::string& text) {
  return BeginBodyStatement(code, text, "script::Interpreter::BeginForExpression");
}

bool Interpreter::BeginSwitchExpression(int32_t code, const std::string& text) {
  return BeginBodyStatement(code, text, "script::Interpreter::BeginSwitchExpression");
}

// The current node is an if, while or for waiting for its body, or the body
// scope of a switch label. Bodies take no declarations.
// body -> block | ";" | expression ";" | control-statement | built-in-call ";"
bool Interpreter::BeginBodyStatement(int32_t code, const std::string& text, const char* where) {
  const bool singleStatement = current_->TypeId() != TYPE_SCOPE;
  if (code == TYPE_SEMICOLON) return !singleStatement || EndBodyStatement();
  if (singleStatement) {
    // A second statement would take the place of the body.
    const Node* body =
        current_->TypeId() == TYPE_IF ? static_cast<IfNode*>(current_)->BranchBeingBuilt() : current_->Left();
    if (body != nullptr) return Fail(ErrorCode::EXPECTING_SEMICOLON, where);
  }
  if (IsControlKeyword(code)) return ControlStatement(code, text, where);
  switch (code) {
    case TYPE_SCOPE:
      return text == "{" ? OpenBlock(code, text) : Fail(ErrorCode::SYNTAX_ERROR, where);
    case TYPE_TOKEN: {
      const Node* declaration = FindDeclaration(symbols_.InternSymbol(text));
      if (declaration == nullptr) return Fail(ErrorCode::UNDEFINED_SYMBOL, where);
      if (declaration->TypeId() == TYPE_AGGREGATE_TYPE) return Fail(ErrorCode::SYNTAX_ERROR, where);
      return IdentifierStatement(text);
    }
    case TYPE_PARENTHESIS:
      return text == "(" ? OpenParenthesis(code, text) : Fail(ErrorCode::SYNTAX_ERROR, where);
    default:
      if (code >= TYPE_SIZEOF && code <= TYPE_CAST) return BuiltInStatement(code, text);
      // A string constant or an operator token starts an expression statement.
      if (code != TYPE_CONST && (code < TYPE_ASSIGN || code > TYPE_REF_ASSIGN)) {
        return Fail(ErrorCode::SYNTAX_ERROR, where);
      }
      PushHandler(&Interpreter::ExpEvent);
      return StartOperand(code, text, &Interpreter::AttachBodyOperand, where);
  }
}

bool Interpreter::UnendedBodyStatement() {
  Node* statement = current_;
  while (statement->Parent() != nullptr && !IsKindOf(statement->Parent()->TypeId(), TYPE_CONDITIONAL) &&
         statement->Parent()->TypeId() != TYPE_SCOPE) {
    statement = statement->Parent();
  }
  const Node* holder = statement->Parent();
  const bool isBody = holder != nullptr && (holder->Left() == statement ||
                                            (holder->TypeId() == TYPE_IF && holder->Right() == statement));
  switch (isBody ? holder->TypeId() : TYPE_NONE) {
    case TYPE_IF:
      return Fail(ErrorCode::EXPECTING_SEMICOLON, "script::Interpreter::BeginIfExpression");
    case TYPE_WHILE:
      return Fail(ErrorCode::EXPECTING_SEMICOLON, "script::Interpreter::BeginWhileExpression");
    case TYPE_FOR:
      return Fail(ErrorCode::EXPECTING_SEMICOLON, "script::Interpreter::BeginForExpression");
    default:
      return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::BeginFullExpression");
  }
}

bool Interpreter::AttachBodyOperand(Node* node) {
  Attach(node);
  current_ = node;
  return true;
}

bool Interpreter::EndBodyStatement() {
  if (current_->TypeId() == TYPE_IF && !static_cast<IfNode*>(current_)->BuildsElse()) {
    PushHandler(&Interpreter::ElseEvent);
    return true;
  }
  return CompleteStatement();
}

bool Interpreter::ElseEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code == TYPE_ELSE) {
    static_cast<IfNode*>(current_)->BeginElse();
    return true;
  }
  return CompleteStatement() && OnEvent(code, text);
}

bool Interpreter::CompleteStatement() {
  current_ = current_->Parent();
  return OnEvent(TYPE_SEMICOLON, ";");
}

// ---- for

// for-statement -> "for" "(" [ expression ] ";" [ expression ] ";" [ expression ] ")" body
bool Interpreter::ForStatement(int32_t, const std::string& text) {
    auto* loop = new ForNode(TokenPosition(text), current_);
  Attach(loop);
  current_ = loop;
  PushHandler(&Interpreter::ForEvent);
  return true;
}

bool Interpreter::ForEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ForEvent";
  PopHandler();
  if (code != TYPE_PARENTHESIS) return Fail(ErrorCode::EXPECTING_PARENTHESIS, kWhere);
  if (text != "(") return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  PushHandler(&Interpreter::AppendValueNode2For);
  return true;
}

// Stays on the stack for the whole header: it starts each clause's
// expression and takes the ";" and ")" that end the clauses.
bool Interpreter::AppendValueNode2For(int32_t code, const std::string& text) {
  // Any other token after a clause's expression ends no clause.
  if (current_->TypeId() != TYPE_FOR) return Fail(ErrorCode::SYNTAX_ERROR, kAppendValueNode2For);
  auto* loop = static_cast<ForNode*>(current_);
  const bool inStep = loop->PartBeingRead() == ForNode::PART_STEP;
  if (code == TYPE_SEMICOLON) {
    if (inStep) return Fail(ErrorCode::SYNTAX_ERROR, kAppendValueNode2For);
    loop->NextPart();
    return true;
  }
  if (code == TYPE_PARENTHESIS && text == ")") {
    if (!inStep) return Fail(ErrorCode::SYNTAX_ERROR, kAppendValueNode2For);
    PopHandler();
    loop->NextPart();
    return true;
  }
  PushHandler(&Interpreter::ExpEvent);
  return StartOperand(code, text, &Interpreter::AttachForClause, kAppendValueNode2For);
}

bool Interpreter::AttachForClause(Node* node) {
  auto* loop = static_cast<ForNode*>(current_);
  if (loop->PartBeingRead() == ForNode::PART_BODY || loop->Clause() != nullptr) {
    delete node;
    return Fail(ErrorCode::SYNTAX_ERROR, kAppendValueNode2For);
  }
  loop->SetClause(node);
  current_ = node;
  return true;
}

bool Interpreter::EndForStep(int32_t code, const std::string& text) {
  auto* loop = static_cast<ForNode*>(current_);
  switch (loop->PartBeingRead()) {
    case ForNode::PART_STEP:
      if (!CheckFullExpression(loop->Clause())) return false;
      PopHandler();  // the step's ExpEvent
      return OnEvent(code, text);
    case ForNode::PART_BODY:
      return Fail(ErrorCode::UNEXPECTED_PARENTHESIS, kCloseParenthesis);
    default:
      return Fail(ErrorCode::SYNTAX_ERROR, kCloseParenthesis);
  }
}

// ---- switch

bool Interpreter::SwitchBodyEvent(int32_t code, const std::string& text) {
  PopHandler();
  if (code != TYPE_SCOPE || text != "{") return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::SwitchBodyEvent");
  PushHandler(&Interpreter::SwitchCasesEvent);
  return true;
}

// The current node is the switch, or the label whose body has just ended.
bool Interpreter::SwitchCasesEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::SwitchCasesEvent";
  const bool afterLabel = IsSwitchLabel(current_);
  auto* statement = static_cast<SwitchNode*>(afterLabel ? current_->Parent() : current_);
  switch (code) {
    case TYPE_CASE: {
      PopHandler();
      auto* label = new CaseNode(TokenPosition(text), statement);
      statement->AddLabel(label);
      current_ = label;
      literalText_.clear();
      PushHandler(&Interpreter::CaseColonEvent);
      PushHandler(&Interpreter::CaseEvent);
      return true;
    }
    case TYPE_DEFAULT: {
      auto* label = new DefaultNode(TokenPosition(text), statement);
      if (!statement->AddDefault(label)) {
        delete label;
        return Fail(ErrorCode::DUPLICATE_DEFAULT, kWhere);
      }
      PopHandler();
      current_ = label;
      PushHandler(&Interpreter::DefaultEvent);
      return true;
    }
    case TYPE_SCOPE:
      if (text != "}" || !afterLabel) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
      PopHandler();
      current_ = statement;
      return CompleteStatement();
    default:
      return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  }
}

// label -> "case" NUMBER ":" statement* | "default" ":" statement*
bool Interpreter::CaseEvent(int32_t code, const std::string& text) {
  PopHandler();
  PushHandler(&Interpreter::CaseValueEvent);
  if ((code == TYPE_ADD || code == TYPE_SUB) && text.size() == 1) {
    literalText_ = text;
    static_cast<CaseNode*>(current_)->AddSymbol(symbols_.InternSymbol(text));
    return true;
  }
  if (!IsFixedNumberToken(code)) return Fail(ErrorCode::EXPECTING_32BIT_NUMBER, "script::Interpreter::CaseEvent");
  return OnEvent(code, text);
}

// Reads the case value with the rules of decimal literals: it must be of a
// type of at most 32 bits, and it counts as an unsigned 32-bit number.
bool Interpreter::CaseValueEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::CaseValueEvent";
  PopHandler();
  const std::string decimal = IsFixedNumberToken(code) ? FixedNumberAsDecimal(text) : std::string();
  if (decimal.empty()) return Fail(ErrorCode::EXPECTING_32BIT_NUMBER, kWhere);
  auto* label = static_cast<CaseNode*>(current_);
  label->AddSymbol(symbols_.InternSymbol(text));
  const NumberLiteral literal = ReadNumberLiteral(literalText_ + decimal);
  if (literal.error != ErrorCode::NO_ERROR || literal.typeId < TYPE_I8 || literal.typeId > TYPE_UI32) {
    return Fail(ErrorCode::EXPECTING_32BIT_NUMBER, kWhere);
  }
  int64_t value = 0;
  const char* first = literal.decimal.data();
  if (std::from_chars(first, first + literal.decimal.size(), value).ec != std::errc()) {
    return Fail(ErrorCode::EXPECTING_32BIT_NUMBER, kWhere);
  }
  if (!static_cast<SwitchNode*>(label->Parent())->AddCaseValue(static_cast<uint32_t>(value))) {
    return Fail(ErrorCode::DUPLICATE_CASE, kWhere);
  }
  return true;
}

bool Interpreter::CaseColonEvent(int32_t code, const std::string&) {
  return EndLabel(code, "script::Interpreter::CaseColonEvent");
}

bool Interpreter::DefaultEvent(int32_t code, const std::string&) {
  return EndLabel(code, "script::Interpreter::DefaultEvent");
}

bool Interpreter::EndLabel(int32_t code, const char* where) {
  PopHandler();
  if (code != TYPE_COLON) return Fail(ErrorCode::EXPECTING_COLON, where);
  PushHandler(&Interpreter::CaseBodyEvent);
  return true;
}

// The statement start of a label's body. Tokens inside a statement of the
// body go on to the statement start of the current node.
bool Interpreter::CaseBodyEvent(int32_t code, const std::string& text) {
  Node* label = current_;
  if (current_->TypeId() == TYPE_SCOPE && IsSwitchLabel(current_->Parent())) label = current_->Parent();
  if (!IsSwitchLabel(label)) return BeginFullExpression(code, text);
  if (code == TYPE_CASE || code == TYPE_DEFAULT || (code == TYPE_SCOPE && text == "}")) {
    PopHandler();
    current_ = label;
    PushHandler(&Interpreter::SwitchCasesEvent);
    return OnEvent(code, text);
  }
  if (code == TYPE_SEMICOLON) return true;
  if (label->Left() == nullptr) {
    SourcePosition position = TokenPosition(text);
    position.symbol = 0;  // the body has no braces of its own
    label->SetLeft(new Scope(position, label));
  }
  current_ = label->Left();
  return BeginSwitchExpression(code, text);
}

// ---- break and continue

bool Interpreter::IsControlKeyword(int32_t code) {
  switch (code) {
    case TYPE_IF:
    case TYPE_WHILE:
    case TYPE_SWITCH:
    case TYPE_FOR:
    case TYPE_BREAK:
    case TYPE_CONTINUE:
    case TYPE_RETURN:
    case TYPE_CASE:
    case TYPE_DEFAULT:
      return true;
    default:
      return false;
  }
}

// control-statement -> if-statement | while-statement | for-statement | switch-statement
//                    | jump-statement | return-statement
bool Interpreter::ControlStatement(int32_t code, const std::string& text, const char* where) {
  switch (code) {
    case TYPE_IF:
    case TYPE_WHILE:
    case TYPE_SWITCH:
      return ConditionalStatement(code, text);
    case TYPE_FOR:
      return ForStatement(code, text);
    case TYPE_BREAK:
    case TYPE_CONTINUE:
      return JumpStatement(code, text, where);
    case TYPE_RETURN:
      return ReturnStatement(code, text);
    case TYPE_CASE:
      return Fail(ErrorCode::ILLEGAL_CASE, where);
    default:
      return Fail(ErrorCode::ILLEGAL_DEFAULT, where);
  }
}

// jump-statement -> "break" ";" | "continue" ";"
bool Interpreter::JumpStatement(int32_t code, const std::string& text, const char* where) {
  const bool isBreak = code == TYPE_BREAK;
  if (isBreak ? !InsideBreakable() : !InsideLoop()) {
    return Fail(isBreak ? ErrorCode::ILLEGAL_BREAK : ErrorCode::ILLEGAL_CONTINUE, where);
  }
  const SourcePosition position = TokenPosition(text);
  Node* jump = isBreak ? static_cast<Node*>(new Break(position, current_)) : new Continue(position, current_);
  Attach(jump);
  current_ = jump;
  PushHandler(isBreak ? &Interpreter::BreakEvent : &Interpreter::ContinueEvent);
  return true;
}

bool Interpreter::BreakEvent(int32_t code, const std::string&) {
  return EndJump(code, "script::Interpreter::BreakEvent");
}

bool Interpreter::ContinueEvent(int32_t code, const std::string&) {
  return EndJump(code, "script::Interpreter::ContinueEvent");
}

bool Interpreter::EndJump(int32_t code, const char* where) {
  PopHandler();
  if (code != TYPE_SEMICOLON) return Fail(ErrorCode::SYNTAX_ERROR, where);
  current_ = current_->Parent();
  return OnEvent(TYPE_SEMICOLON, ";");
}

}  // namespace script
