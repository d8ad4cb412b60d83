#include "Script/Expressions/Library/LibNode.h"

#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Library/LibType.h"
#include "Script/Platform/SharedLibrary.h"
#include "Script/Stack/RuntimeError.h"

namespace script {

LibNode::LibNode(const SourcePosition& position, Node* parent, LibType* type, uint32_t slotIndex,
                 int32_t storageOffset)
    : Variable(TYPE_LIB_VAR, position, parent, type) {
  SetSlotIndex(slotIndex);
  SetStorageOffset(storageOffset);
}

LibNode::~LibNode() { platform::FreeLibrary(module_.load(std::memory_order_acquire)); }

uint32_t LibNode::Run(ExecContext* context) {
  if (right_ != nullptr) return Variable::Run(context);
  return Module() != nullptr ? RUN_OK : Load(context);
}

uint32_t LibNode::Load(ExecContext* context) {
  std::lock_guard guard(loading_);
  if (Module() != nullptr) return RUN_OK;  // loaded by another thread meanwhile
  const std::string& name = static_cast<const LibType*>(GetType())->Module();
  platform::LoaderFailure failure;
  void* module = platform::LoadLibrary(name, failure);
  if (module == nullptr) {
    return ReportRuntimeError(context, this, LoaderMessage("Can't load library: '" + name + "'", failure.reason),
                              static_cast<uint32_t>(failure.errorNumber));
  }
  module_.store(module, std::memory_order_release);
  return RUN_OK;
}

bool LibNode::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  if (right_ != nullptr) return Variable::IsExpression(resultType, wrapper, error);
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::LIB_FUNCTION_CALL_MISSING),
                          "script::LibNode::IsExpression", __LINE__);
}

std::string LoaderMessage(const std::string& message, const std::string& reason) {
  return reason.empty() ? message : message + " (" + reason + ")";
}

}  // namespace script
