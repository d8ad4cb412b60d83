#include "Script/Expressions/ControlFlow/JumpNodes.h"

#include "Script/Diagnostics/ErrorCode.h"

namespace script {

bool Break::IsExpression(Type**, PrePostExpressions**, Error* error) {
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), "script::Break::IsExpression",
                          __LINE__);
}

bool Continue::IsExpression(Type**, PrePostExpressions**, Error* error) {
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), "script::Continue::IsExpression",
                          __LINE__);
}

}  // namespace script
