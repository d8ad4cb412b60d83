#include "Script/Expressions/Functions/FunctionReference.h"

#include <cstring>
#include <memory>

#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Functions/FunctionPtr.h"
#include "Script/Expressions/Library/FunctionLibPtr.h"
#include "Script/Expressions/Library/LibType.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Memory/Memory.h"
#include "Script/Native/NativeRegistry.h"
#include "Script/Stack/StackMemory.h"

namespace script {

Function* ProgramFunction(const ExecContext& context, uint32_t symbol) {
  if (context.thread == nullptr || context.thread->FrameCount() == 0) return nullptr;
  const Scope* program = context.thread->Frame(0)->body;
  Node* found = program != nullptr ? program->FindDefinition(symbol) : nullptr;
  return found != nullptr && found->IsKindOf(TYPE_FUNCTION) ? static_cast<Function*>(found) : nullptr;
}

Function* FunctionOfReference(const ExecContext& context, uintptr_t value, FunctionRefType* referenceType) {
  if (value == 0 || context.heap == nullptr) return nullptr;
  // Script functions are known by their entry points, library functions by
  // their addresses; any other value is taken for native code.
  NativeRegistry* natives = context.heap->Natives();
  if (natives == nullptr || referenceType == nullptr) return nullptr;
  const auto* address = reinterpret_cast<void*>(value);
  if (Function* known = natives->Find(address)) return known;
  auto made = std::make_unique<FunctionPtr>(referenceType->Position(), nullptr, referenceType,
                                            const_cast<void*>(address));
  return natives->Adopt(address, std::move(made));
}

uint32_t BindUnsetReference(ExecContext* context, const Type* referenceType, uint8_t* cell, Function*& function) {
  function = nullptr;
  const Node* owner = referenceType != nullptr ? referenceType->Parent() : nullptr;
  uintptr_t value = 0;
  if (owner != nullptr && owner->TypeId() == TYPE_LIB) {
    FunctionLibPtr* native =
        static_cast<const LibType*>(owner)->FunctionOf(static_cast<const FunctionRefType*>(referenceType));
    void* address = native != nullptr ? native->Address(context) : nullptr;
    if (address == nullptr) return RUN_ERROR;
    function = native;
    value = reinterpret_cast<uintptr_t>(address);
  } else {
    function = referenceType != nullptr ? ProgramFunction(*context, referenceType->Position().symbol) : nullptr;
    if (function == nullptr) return RUN_OK;
    value = function->GetReferenceValue(context);
  }
  std::memcpy(cell, &value, sizeof value);
  return RUN_OK;
}

}  // namespace script
