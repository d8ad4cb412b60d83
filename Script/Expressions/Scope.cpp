#include "Script/Expressions/Scope.h"

namespace script {

Scope::~Scope() {
  for (auto statement = statements_.rbegin(); statement != statements_.rend(); ++statement) delete *statement;
}

uint32_t Scope::Run(ExecContext* context) {
  Scope* outer = context->scope;
  context->scope = this;
  uint32_t result = RUN_OK;
  for (Node* statement : statements_) {
    ExecContext child = context->ForChild(nullptr);
    result = statement->Run(&child);
    if (result != RUN_OK) break;
  }
  context->scope = outer;
  return result;
}

uint32_t Scope::ReserveSlot(Type* type, const SourcePosition& declaration, uint32_t size, uint32_t alignment) {
  uint32_t offset = (frameSize_ + alignment - 1) / alignment * alignment;
  frameSize_ = offset + size;
  frameLayout_.push_back(FrameSlot{type, declaration});
  return offset;
}

}  // namespace script
