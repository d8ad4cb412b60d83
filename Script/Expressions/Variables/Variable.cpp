#include "Script/Expressions/Variables/Variable.h"

namespace script {

uint32_t Variable::Run(ExecContext* context) {
  if (context->result == nullptr) return RUN_OK;
  if (right_ != nullptr) return right_->Run(context);
  return RUN_ERROR;
}

}  // namespace script
