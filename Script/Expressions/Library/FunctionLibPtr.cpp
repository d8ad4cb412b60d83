#include "Script/Expressions/Library/FunctionLibPtr.h"

#include "Script/Expressions/Library/LibNode.h"
#include "Script/Expressions/Library/LibType.h"
#include "Script/Foundation/ExecContext.h"
#include "Script/Memory/Memory.h"
#include "Script/Native/NativeRegistry.h"
#include "Script/Platform/SharedLibrary.h"
#include "Script/Stack/RuntimeError.h"

namespace script {

FunctionLibPtr::FunctionLibPtr(const SourcePosition& position, LibType* library, FunctionRefType* member,
                               std::string name)
    : FunctionPtr(TYPE_FUNCTION_LIB_PTR, position, library, member), library_(library), name_(std::move(name)) {}

const std::string& FunctionLibPtr::ModuleName() const { return library_->Module(); }

void* FunctionLibPtr::Address(ExecContext* context) {
  if (void* known = address_.load(std::memory_order_acquire)) return known;
  const LibNode* variable = library_->LibraryVariable();
  void* module = variable != nullptr ? variable->Module() : nullptr;
  if (module == nullptr) {
    ReportRuntimeError(context, this, "Module is not loaded.");
    return nullptr;
  }
  platform::LoaderFailure failure;
  void* address = platform::FindSymbol(module, name_, failure);
  if (address == nullptr) {
    ReportRuntimeError(context, this, LoaderMessage("Can't get function address.", failure.reason),
                       static_cast<uint32_t>(failure.errorNumber));
    return nullptr;
  }
  // Another thread may have looked it up meanwhile: the module gives both
  // the same address.
  address_.store(address, std::memory_order_release);
  if (NativeRegistry* registry = context->heap->Natives()) registry->Register(address, this);
  return address;
}

}  // namespace script
