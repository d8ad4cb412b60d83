#include "Script/Expressions/Variables/Reference.h"

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/Type.h"

namespace script {

bool Reference::IsExpression(Type**, PrePostExpressions**, Error* error) {
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), "script::Reference::IsExpression",
                          __LINE__);
}

bool AddReferenceMarker(Type* type, const SourcePosition& position, uint32_t allowed) {
  const uint32_t mode = type->ReferenceMode();
  if (mode >= allowed) return false;
  if (mode == 0) {
    type->SetLeft(new Reference(position, type));
  } else {
    type->SetRight(new Reference(position, type));
  }
  return true;
}

}  // namespace script
