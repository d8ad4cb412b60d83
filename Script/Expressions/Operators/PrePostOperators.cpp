#include "Script/Expressions/Operators/PrePostOperators.h"

#include <new>

#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Operators/OperandChain.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/ValueOperations.h"

namespace script {
namespace {

bool IsPrePost(int32_t id) {
  return id == TYPE_PRE_INC_OP || id == TYPE_POST_INC_OP || id == TYPE_PRE_DEC_OP || id == TYPE_POST_DEC_OP;
}

// The type a step applies to: a variable's type, an array's element type.
Type* OperandType(const Variable* variable) {
  Type* type = variable != nullptr ? variable->GetType() : nullptr;
  if (type != nullptr && type->TypeId() == TYPE_ARRAY) type = static_cast<ArrayType*>(type)->ElementType();
  return type;
}

}  // namespace

Node* OperatorPrePost::Operand() const {
  Node* operand = parent_;
  while (operand != nullptr && IsPrePost(operand->TypeId())) operand = operand->Parent();
  if (operand != nullptr && operand->TypeId() == TYPE_SUBSCRIPT) operand = operand->Parent();
  return operand;
}

bool OperatorPrePost::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  static constexpr const char* kCheck = "script::OperatorPrePost::IsExpression";
  Node* operand = Operand();
  if (operand == nullptr || !IsVariableLike(operand->TypeId())) {
    return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE, kCheck);
  }
  Node* head = OperandChainHead(operand);
  for (Node* link = head; link != nullptr; link = link->Right()) {
    if (link->TypeId() == TYPE_SUBSCRIPT) return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_ARRAY, kCheck);
    if (link->TypeId() == TYPE_FUNCTION_CALL) {
      return Reject(error,
                    link->Right() != nullptr ? ErrorCode::OPERATOR_NOT_ALLOWED_ON_FUNCTION_CALL
                                             : ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE,
                    kCheck);
    }
  }
  // Without subscripts and calls the chain ends in the variable stepped.
  Type* type = OperandType(LastChainVariable(head));
  if (!IsTypeAllowed(type, nullptr)) return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE, kCheck);
  if (!Register(wrapper, error)) return false;
  if (left_ != nullptr) return left_->IsExpression(resultType, wrapper, error);
  *resultType = type;
  return true;
}

uint32_t OperatorPrePost::Run(ExecContext* context) {
  Node* operand = Operand();
  if (operand == nullptr || !IsVariableLike(operand->TypeId())) return RUN_ERROR;
  Value local;
  Value& target = ResultOf(context, local);
  if (const uint32_t result = RunInto(OperandChainHead(operand), context, target); result != RUN_OK) return result;
  Value one;
  one.SetUI8(1);
  if (!ApplyStep(target, one)) return ReportRuntimeError(context, this, "INCOMPATIBLE_TYPE");
  return RUN_OK;
}

bool OperatorPrePost::IsTypeAllowed(const Type* operand, const Type*) const {
  return operand != nullptr && IsIntegerKind(operand->GetKind());
}

bool OperatorPrePost::GetPreExpression(PrePostExpressions** wrapper, Error* error) {
  return Enlist(wrapper, error, true, "script::OperatorPrePost::GetPreExpression");
}

bool OperatorPrePost::GetPostExpression(PrePostExpressions** wrapper, Error* error) {
  return Enlist(wrapper, error, false, "script::OperatorPrePost::GetPostExpression");
}

bool OperatorPrePost::Enlist(PrePostExpressions** wrapper, Error* error, bool pre, const char* function) {
  if (wrapper == nullptr) return Reject(error, ErrorCode::INTERNAL_ERROR, function);
  if (*wrapper == nullptr) {
    *wrapper = new (std::nothrow) PrePostExpressions(Position(), nullptr);
    if (*wrapper == nullptr) return Reject(error, ErrorCode::OUT_OF_MEMORY, function);
  }
  if (pre) {
    (*wrapper)->AddPre(this);
  } else {
    (*wrapper)->AddPost(this);
  }
  return true;
}

bool OperatorInc::ApplyStep(Value& target, const Value& one) const { return ops::Add(target, one) == OPERATION_OK; }

bool OperatorDec::ApplyStep(Value& target, const Value& one) const {
  return ops::Subtract(target, one) == OPERATION_OK;
}

}  // namespace script
