#include "Script/Expressions/Variables/CastVariable.h"

#include <cstring>

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Values/Value.h"

namespace script {

CastVariable::CastVariable(const SourcePosition& position, Node* parent, FunctionRefType* type)
    : Variable(position, parent, type) {}

CastVariable::~CastVariable() { delete GetType(); }

Type* CastVariable::TargetType() const { return static_cast<const FunctionRefType*>(GetType())->ReturnType(); }

uint32_t CastVariable::Run(ExecContext* context) {
  Value* result = context->result;
  Type* target = TargetType();
  if (result != nullptr && target != nullptr) {
    if (result->Kind() != target->GetKind()) {
      result->AdoptRef(nullptr, target);
    } else if (result->IsInline()) {
      alignas(8) uint8_t bytes[8];
      std::memcpy(bytes, result->StoragePointer(), sizeof bytes);
      result->SetScalar(target, bytes);
    } else {
      result->SetRef(result->Ref(), target);
    }
  }
  return Variable::Run(context);
}

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
