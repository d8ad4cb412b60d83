#include "Script/Expressions/ControlFlow/Parenthesis.h"

#include "Script/Foundation/Serializer.h"
#include "Script/Diagnostics/ErrorCode.h"

namespace script {

uint32_t Parenthesis::Run(ExecContext* context) { return right_ != nullptr ? right_->Run(context) : RUN_OK; }

bool Parenthesis::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  static constexpr const char* kCheck = "script::Parenthesis::IsExpression";
  if (!closed_) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::PARENTHESIS_IS_NOT_CLOSED), kCheck, __LINE__);
  }
  if (right_ == nullptr) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::EMPTY_PARENTHESIS), kCheck, __LINE__);
  }
  return right_->IsExpression(resultType, wrapper, error);
}

void Parenthesis::SerializeBegin(Serializer* serializer) { serializer->WriteToken(TYPE_PARENTHESIS); }

void Parenthesis::SerializeBody(Serializer* serializer) {
  if (right_ != nullptr) right_->Serialize(serializer);
}

void Parenthesis::SerializeEnd(Serializer* serializer) { serializer->WriteEndToken(TYPE_PARENTHESIS); }

}  // namespace script
