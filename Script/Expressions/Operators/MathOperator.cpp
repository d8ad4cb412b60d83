#include "Script/Expressions/Operators/MathOperator.h"

#include <utility>

#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Stack/RuntimeError.h"

namespace script {
namespace {

bool IsComparison(int32_t id) {
  switch (id) {
    case TYPE_EQ:
    case TYPE_NOT_EQ:
    case TYPE_LESS:
    case TYPE_LESS_EQ:
    case TYPE_GREATER:
    case TYPE_GREATER_EQ:
      return true;
    default:
      return false;
  }
}

bool GivesBool(int32_t id) { return IsComparison(id) || id == TYPE_AND || id == TYPE_OR; }

}  // namespace

MathOperator::MathOperator(int32_t typeId, const SourcePosition& position, Node* parent, ValueOperation operation)
    : Operator(typeId, position, parent), operation_(operation), comparison_(IsComparison(typeId)) {}

uint32_t MathOperator::Run(ExecContext* context) {
  Value left;
  if (const uint32_t result = ReadOperand(context, left_, left, "Left value is NULL!"); result != RUN_OK) return result;
  Value right;
  if (const uint32_t result = ReadOperand(context, right_, right, "Right value is NULL!"); result != RUN_OK) {
    return result;
  }
  if (comparison_) {
    const uint32_t status = operation_(left, right);
    if (status != OPERATION_TRUE && status != OPERATION_FALSE) {
      return ReportRuntimeError(context, this, OperationErrorMessage(status, left, right));
    }
    if (context->result != nullptr) context->result->SetBool(status == OPERATION_TRUE);
    return RUN_OK;
  }
  Value local;
  Value& target = ResultOf(context, local);
  if (left.IsInline()) {
    target = std::move(left);  // a temporary of its own: its bytes become the result's
  } else {
    target.Reset();
    target.Assign(left);  // same type: cannot fail
  }
  const uint32_t status = operation_(target, right);
  if (status != OPERATION_OK) return ReportRuntimeError(context, this, OperationErrorMessage(status, target, right));
  return RUN_OK;
}

bool MathOperator::CheckOperands(Type*& leftType, PrePostExpressions** wrapper, Error* error, const char* function) {
  if (left_ == nullptr) return Reject(error, ErrorCode::OPERATOR_NEEDS_LEFT_VALUE, function);
  if (right_ == nullptr) return Reject(error, ErrorCode::OPERATOR_NEEDS_RIGHT_VALUE, function);
  leftType = nullptr;
  Type* rightType = nullptr;
  if (!left_->IsExpression(&leftType, wrapper, error)) return false;
  if (!right_->IsExpression(&rightType, wrapper, error)) return false;
  if (!IsTypeAllowed(leftType, rightType)) return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE, function);
  return true;
}

bool MathOperator::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  Type* leftType = nullptr;
  if (!CheckOperands(leftType, wrapper, error, "script::MathOperator::IsExpression")) return false;
  *resultType = GivesBool(TypeId()) ? BuiltInType(TYPE_BOOL) : leftType;
  return true;
}

uint32_t MathAssignOperator::Run(ExecContext* context) {
  if (left_ == nullptr || !IsVariableLike(left_->TypeId())) return RUN_ERROR;
  Value computed;
  ExecContext computation = context->ForChild(&computed);
  if (const uint32_t result = MathOperator::Run(&computation); result != RUN_OK) return result;
  if (computed.Kind() == KIND_NONE) return ReportRuntimeError(context, this, "Right value is NULL!");
  Value local;
  Value& target = ResultOf(context, local);
  if (const uint32_t result = RunInto(left_, context, target); result != RUN_OK) return result;
  return AssignTo(context, target, computed);
}

bool MathAssignOperator::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  Type* leftType = nullptr;
  if (!CheckOperands(leftType, wrapper, error, "script::MathAssignOperator::IsExpression")) return false;
  *resultType = leftType;
  return true;
}

}  // namespace script
