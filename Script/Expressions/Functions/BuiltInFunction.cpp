#include "Script/Expressions/Functions/BuiltInFunction.h"

#include "Script/Stack/RuntimeError.h"

namespace script {

uint32_t BuiltInFunction::Call(ExecContext* context, const Runable* site, Value*, std::size_t, Value*) {
  return ReportRuntimeError(context, site, "NOT_IMPLEMENTED");
}

}  // namespace script
