// Functions: declarations, function references, calls, casts and returns.
#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"

namespace script {

bool Interpreter::ReturnStatement(int32_t, const std::string&) {
  constexpr const char* kWhere = "script::Interpreter::BeginScopeExpression";
  return Fail(InsideFunction() ? ErrorCode::NOT_IMPLEMENTED : ErrorCode::UNEXPECTED_RETURN, kWhere);
}

}  // namespace script
