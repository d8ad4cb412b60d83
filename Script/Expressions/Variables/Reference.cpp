#include "Script/Expressions/Variables/Reference.h"

#include "Script/Diagnostics/Error.h"

namespace script {

bool Reference::IsExpression(Type**, PrePostExpressions**, Error* error) {
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), "script::Reference::IsExpression",
                          __LINE__);
}

}  // namespace script
