#include "Script/Expressions/Scope.h"

#include "Script/Expressions/ControlFlow/StatementGate.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Values/Value.h"

namespace script {

namespace {

// Definitions stand in the statement list but do not run there.
bool IsDefinition(int32_t typeId) {
  return typeId == TYPE_FUNCTION || typeId == TYPE_ERROR || (typeId >= TYPE_SIZEOF && typeId <= TYPE_CAST);
}

// Statements that end with a block or a body of their own, or that write
// nothing (the built-in functions), take no ";".
bool EndsItself(int32_t typeId) {
  switch (typeId) {
    case TYPE_SCOPE:
    case TYPE_FOR:
    case TYPE_WHILE:
    case TYPE_IF:
    case TYPE_SWITCH:
    case TYPE_FUNCTION:
    case TYPE_ERROR:
      return true;
    default:
      return typeId >= TYPE_SIZEOF && typeId <= TYPE_CAST;
  }
}

// A while loop passes the gate itself, before each test of its condition.
bool PassesGate(int32_t typeId) { return typeId != TYPE_WHILE; }

}  // namespace

void SerializeStatement(Serializer* serializer, Node* statement) {
  if (statement != nullptr) statement->Serialize(serializer);
  if (statement == nullptr || !EndsItself(statement->TypeId())) serializer->WriteEndToken(TYPE_SCOPE_END_EXPRESSION);
}

Scope::~Scope() {
  for (auto statement = statements_.rbegin(); statement != statements_.rend(); ++statement) delete *statement;
}

uint32_t Scope::Run(ExecContext* context) {
  Scope* outer = context->scope;
  context->scope = this;
  uint32_t result = RUN_OK;
  for (std::size_t index = 0; index < statements_.size() && result == RUN_OK; ++index) {
    if (IsDefinition(statements_[index]->TypeId())) continue;
    result = RunStatement(statements_[index], context);
    while (result == RUN_ERROR) {
      index = NextErrorDeclaration(index);
      if (index == statements_.size()) break;
      result = RunStatement(statements_[index], context);
    }
  }
  context->scope = outer;
  return result;
}

uint32_t Scope::RunStatement(Node* statement, ExecContext* context) {
  Value value;
  ExecContext child = context->ForChild(&value);
  if (PassesGate(statement->TypeId()) && PassStatementGate(context, statement) == RUN_STOP) return RUN_STOP;
  uint32_t result = statement->Run(&child);
  if (result == RUN_RETURN && context->result != nullptr) *context->result = value;
  return result;
}

void Scope::SerializeBody(Serializer* serializer) {
  for (Node* statement : statements_) SerializeStatement(serializer, statement);
}

bool Scope::SubstituteChild(Node* child, Node* replacement) {
  return SubstituteInList(statements_, child, replacement) || AggregateDefCollection::SubstituteChild(child, replacement);
}

std::size_t Scope::NextErrorDeclaration(std::size_t index) const {
  for (++index; index < statements_.size(); ++index) {
    if (statements_[index]->TypeId() == TYPE_ERROR) break;
  }
  return index;
}

uint32_t Scope::ReserveSlot(Type* type, const SourcePosition& declaration, uint32_t size, uint32_t alignment) {
  uint32_t offset = (frameSize_ + alignment - 1) / alignment * alignment;
  frameSize_ = offset + size;
  frameLayout_.push_back(FrameSlot{type, declaration});
  return offset;
}

}  // namespace script
