#include "Script/Expressions/Functions/Return.h"

#include "Script/Foundation/Serializer.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Functions/ReferenceChain.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {
namespace {

constexpr const char* kCheck = "script::Return::IsExpression";

const Function* EnclosingFunction(const Node* node) {
  for (const Node* up = node->Parent(); up != nullptr; up = up->Parent()) {
    if (up->TypeId() == TYPE_FUNCTION) return static_cast<const Function*>(up);
  }
  return nullptr;
}

}  // namespace

uint32_t Return::Run(ExecContext* context) {
  Value* result = context->result;
  if (right_ == nullptr) {
    if (result != nullptr) result->Reset();
    return RUN_RETURN;
  }
  Value value;
  ExecContext child = context->ForChild(&value);
  if (const uint32_t failed = right_->Run(&child)) return failed;
  if (result == nullptr || value.Kind() == KIND_NONE) return RUN_RETURN;
  if (returnType_ == nullptr || returnType_->ReferenceMode() != 0) {
    *result = std::move(value);
    return RUN_RETURN;
  }
  // By value: a copy of the declared type, never the storage returned from.
  Value converted;
  converted.EnsureStorage(returnType_, context->heap);
  const ConversionStatus status = converted.Assign(value);
  if (status != CONVERSION_OK) {
    return ReportRuntimeError(context, this, ConversionErrorMessage(status, value.ToText(), returnType_->GetKind()));
  }
  *result = std::move(converted);
  return RUN_RETURN;
}

bool Return::IsExpression(Type** resultType, PrePostExpressions**, Error* error) {
  const Function* function = EnclosingFunction(this);
  if (function == nullptr) return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), kCheck, __LINE__);
  returnType_ = function->GetReturnType();
  if (right_ == nullptr) return true;
  // Increments in the value run around the value, before the return.
  Type* expressionType = nullptr;
  PrePostExpressions* steps = nullptr;
  if (!right_->IsExpression(&expressionType, &steps, error)) {
    delete steps;
    return false;
  }
  if (steps != nullptr) {
    steps->Wrap(right_);
    if (!ReplaceChild(steps)) return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), kCheck, __LINE__);
  }
  *resultType = returnType_;
  if (returnType_ == nullptr) return ReportCheckError(error, static_cast<int32_t>(ErrorCode::TYPES_MISMATCHED), kCheck, __LINE__);
  const Node* expression = Unwrapped(right_);
  const uint32_t mode = returnType_->ReferenceMode();
  if (mode == 2) {
    if (!IsVariableLike(expression->TypeId())) {
      return ReportCheckError(
          error, static_cast<int32_t>(ErrorCode::CANNOT_RETURN_REFERENCE_TO_REFERENCE_OF_EXPRESSION_RESULT), kCheck,
          __LINE__);
    }
    switch (ReferenceChainEnd(expression)) {
      case ChainEnd::FunctionReturn:
        return ReportCheckError(
            error, static_cast<int32_t>(ErrorCode::CANNOT_RETURN_REFERENCE_TO_REFERENCE_OF_FUNCTION_RETURN), kCheck,
            __LINE__);
      case ChainEnd::Member:
        return ReportCheckError(error, static_cast<int32_t>(ErrorCode::CANNOT_RETURN_MEMBER_AS_REFERENCE_TO_REFERENCE),
                                kCheck, __LINE__);
      case ChainEnd::ArrayItem:
        return ReportCheckError(
            error, static_cast<int32_t>(ErrorCode::CANNOT_RETURN_ARRAY_ITEM_AS_REFERENCE_TO_REFERENCE), kCheck,
            __LINE__);
      case ChainEnd::Variable:
        break;
    }
  }
  if (mode == 0) {
    if (returnType_->IsCompatible(expressionType)) return true;
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::TYPES_MISMATCHED), kCheck, __LINE__);
  }
  const int32_t id = expression->TypeId();
  if (id == TYPE_CONST || id == TYPE_CONST_NUM || id == TYPE_CONST_BOOL) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::CANNOT_RETURN_REFERENCE_TO_CONST), kCheck, __LINE__);
  }
  if (expressionType != nullptr && returnType_->IsSameType(expressionType)) return true;
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::TYPES_MISMATCHED), kCheck, __LINE__);
}

void Return::SerializeBody(Serializer* serializer) {
  if (right_ == nullptr) return;
  serializer->WriteToken(TYPE_EMPTY);
  right_->Serialize(serializer);
}

}  // namespace script
