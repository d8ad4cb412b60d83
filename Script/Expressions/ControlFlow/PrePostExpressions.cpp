#include "Script/Expressions/ControlFlow/PrePostExpressions.h"

namespace script {
namespace {

uint32_t RunEach(const std::vector<Node*>& operators, const ExecContext& context) {
  // The operators step their variables; no value is wanted.
  ExecContext step = context.ForChild(nullptr);
  for (Node* op : operators) {
    if (const uint32_t result = op->Run(&step); result != RUN_OK) return result;
  }
  return RUN_OK;
}

}  // namespace

PrePostExpressions::~PrePostExpressions() { delete wrapped_; }

uint32_t PrePostExpressions::Run(ExecContext* context) {
  if (const uint32_t result = RunPreOperators(*context); result != RUN_OK) return result;
  if (wrapped_ != nullptr) {
    if (const uint32_t result = wrapped_->Run(context); result != RUN_OK) return result;
  }
  return RunPostOperators(*context);
}

uint32_t PrePostExpressions::RunPreOperators(const ExecContext& context) const { return RunEach(pre_, context); }

uint32_t PrePostExpressions::RunPostOperators(const ExecContext& context) const { return RunEach(post_, context); }

bool PrePostExpressions::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  if (wrapped_ == nullptr) return Node::IsExpression(resultType, wrapper, error);
  return wrapped_->IsExpression(resultType, wrapper, error);
}

void PrePostExpressions::Serialize(Serializer* serializer) {
  if (wrapped_ != nullptr) wrapped_->Serialize(serializer);
}

void PrePostExpressions::Wrap(Node* statement) {
  wrapped_ = statement;
  if (statement != nullptr) statement->SetParent(this);
}

}  // namespace script
