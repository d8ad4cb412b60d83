#include "Script/Expressions/ControlFlow/WhileNode.h"

#include "Script/Expressions/ControlFlow/StatementGate.h"
#include "Script/Values/Value.h"

namespace script {

uint32_t WhileNode::Run(ExecContext* context) {
  for (;;) {
    if (condition_ != nullptr && PassStatementGate(context, condition_) == RUN_STOP) return RUN_STOP;
    {
      Value value;
      if (const uint32_t result = EvaluateCondition(context, value, "Condition value is NULL!"); result != RUN_OK) {
        return result;
      }
      if (!value.ToBool()) return RUN_OK;
    }
    if (left_ == nullptr) continue;
    if (PassStatementGate(context, left_) == RUN_STOP) return RUN_STOP;
    if (uint32_t outcome; EndsLoop(left_->Run(context), outcome)) return outcome;
  }
}

}  // namespace script
