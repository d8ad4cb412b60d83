#include "Script/Expressions/Operators/UnaryOperators.h"

#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/ValueOperations.h"

namespace script {

uint32_t OperatorNot::Run(ExecContext* context) {
  Value operand;
  if (const uint32_t result = ReadOperand(context, right_, operand, "Value is NULL!"); result != RUN_OK) return result;
  if (context->result != nullptr) context->result->SetBool(!operand.ToBool());
  return RUN_OK;
}

bool OperatorNot::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  if (right_ == nullptr) {
    return Reject(error, ErrorCode::OPERATOR_NEEDS_LEFT_VALUE, "script::OperatorNot::IsExpression");
  }
  Type* operandType = nullptr;
  if (!right_->IsExpression(&operandType, wrapper, error)) return false;
  *resultType = BuiltInType(TYPE_BOOL);
  return true;
}

uint32_t OperatorBitNot::Run(ExecContext* context) {
  Value operand;
  if (const uint32_t result = ReadOperand(context, right_, operand, "Value is NULL!"); result != RUN_OK) return result;
  Value local;
  Value& negated = ResultOf(context, local);
  negated.Reset();
  if (ops::BitNot(negated, operand) != OPERATION_OK) return ReportRuntimeError(context, this, "INCOMPATIBLE_TYPE");
  return RUN_OK;
}

bool OperatorBitNot::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  static constexpr const char* kCheck = "script::OperatorBitNot::IsExpression";
  if (right_ == nullptr) return Reject(error, ErrorCode::OPERATOR_NEEDS_LEFT_VALUE, kCheck);
  Type* operandType = nullptr;
  if (!right_->IsExpression(&operandType, wrapper, error)) return false;
  if (!IsTypeAllowed(operandType, nullptr)) return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE, kCheck);
  *resultType = operandType;
  return true;
}

bool OperatorBitNot::IsTypeAllowed(const Type* operand, const Type*) const {
  return operand != nullptr && operand->TypeId() >= TYPE_I8 && operand->TypeId() <= TYPE_UI64;
}

}  // namespace script
