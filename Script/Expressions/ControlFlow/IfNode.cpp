#include "Script/Expressions/ControlFlow/IfNode.h"

#include "Script/Expressions/ControlFlow/StatementGate.h"
#include "Script/Expressions/Scope.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Values/Value.h"

namespace script {

uint32_t IfNode::Run(ExecContext* context) {
  Node* branch;
  {
    Value value;
    if (const uint32_t result = EvaluateCondition(context, value, "Condition value is NULL!"); result != RUN_OK) {
      return result;
    }
    branch = value.ToBool() ? left_ : right_;
  }
  if (branch == nullptr) return RUN_OK;
  if (PassStatementGate(context, branch) == RUN_STOP) return RUN_STOP;
  return branch->Run(context);
}

void IfNode::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_EMPTY);
  SerializeStatement(serializer, left_);
  if (right_ == nullptr) return;
  serializer->WriteToken(TYPE_ELSE);
  serializer->WriteToken(TYPE_EMPTY);
  SerializeStatement(serializer, right_);
  serializer->WriteEndToken(TYPE_ELSE);
}

void IfNode::SetBranch(Node* statement) {
  statement->SetParent(this);
  if (buildsElse_)
    SetRight(statement);
  else
    SetLeft(statement);
}

}  // namespace script
