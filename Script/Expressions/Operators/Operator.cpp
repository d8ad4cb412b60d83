#include "Script/Expressions/Operators/Operator.h"

#include "Script/Foundation/Serializer.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {

bool Operator::IsExpression(Type**, PrePostExpressions**, Error* error) {
  return Reject(error, ErrorCode::INTERNAL_ERROR, "script::Operator::IsExpression");
}

void Operator::SerializeBody(Serializer* serializer) {
  if (left_ != nullptr) left_->Serialize(serializer);
  serializer->WriteToken(TYPE_EMPTY);
  serializer->WriteSymbol(Position());
  serializer->WriteToken(TYPE_EMPTY);
  if (right_ != nullptr) right_->Serialize(serializer);
}

bool Operator::IsTypeAllowed(const Type*, const Type*) const { return false; }

uint32_t Operator::Evaluate(ExecContext* context, Node* child, Value& value, const char* nullMessage) const {
  ExecContext childContext = context->ForChild(&value);
  return CheckEvaluated(context, child->Run(&childContext), value, nullMessage);
}

uint32_t Operator::ReadOperand(ExecContext* context, Node* child, Value& value, const char* nullMessage) const {
  ExecContext childContext = context->ForChild(&value);
  const uint32_t result = child->TypeId() == TYPE_TOKEN ? static_cast<Variable*>(child)->RunAsOperand(&childContext)
                                                        : child->Run(&childContext);
  return CheckEvaluated(context, result, value, nullMessage);
}

uint32_t Operator::CheckEvaluated(ExecContext* context, uint32_t result, const Value& value,
                                  const char* nullMessage) const {
  if (result != RUN_OK) return result;
  if (value.Kind() == KIND_NONE) return ReportRuntimeError(context, this, nullMessage);
  return RUN_OK;
}

Value& Operator::ResultOf(ExecContext* context, Value& local) {
  return context->result != nullptr ? *context->result : local;
}

uint32_t Operator::RunInto(Node* operand, ExecContext* context, Value& target) {
  Value* const wanted = context->result;
  context->result = &target;
  const uint32_t result = operand->Run(context);
  context->result = wanted;
  return result;
}

uint32_t Operator::AssignTo(ExecContext* context, Value& target, const Value& source) const {
  const ConversionStatus status = target.Assign(source);
  if (status == CONVERSION_OK) return RUN_OK;
  const std::string* text = source.StringObject();
  return ReportRuntimeError(
      context, this,
      ConversionErrorMessage(status, text != nullptr ? std::string_view(*text) : std::string_view(), target.Kind()));
}

bool Operator::Reject(Error* error, ErrorCode code, const char* function, int32_t moduleLine) const {
  return ReportCheckError(error, static_cast<int32_t>(code), function, moduleLine);
}

}  // namespace script
