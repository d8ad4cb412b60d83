#include "Script/Expressions/Variables/CastVariable.h"

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/FunctionRefType.h"

namespace script {

CastVariable::CastVariable(const SourcePosition& position, Node* parent, FunctionRefType* type)
    : Variable(position, parent, type) {}

CastVariable::~CastVariable() { delete GetType(); }

Type* CastVariable::TargetType() const { return static_cast<const FunctionRefType*>(GetType())->ReturnType(); }

bool CastVariable::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  if (right_ == nullptr) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::SYNTAX_ERROR), "script::CastVariable::IsExpression",
                            __LINE__);
  }
  if (!right_->IsExpression(resultType, wrapper, error)) return false;
  *resultType = TargetType();
  return true;
}

}  // namespace script
