#include "Script/Expressions/Functions/FunctionReference.h"

#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Scope.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/StackMemory.h"

namespace script {

Function* ProgramFunction(const ExecContext& context, uint32_t symbol) {
  if (context.thread == nullptr || context.thread->FrameCount() == 0) return nullptr;
  const Scope* program = context.thread->Frame(0)->body;
  Node* found = program != nullptr ? program->FindDefinition(symbol) : nullptr;
  return found != nullptr && found->IsKindOf(TYPE_FUNCTION) ? static_cast<Function*>(found) : nullptr;
}

Function* FunctionOfReference(const ExecContext& context, uintptr_t value) {
  // A value is only trusted once it is known to be a live function node: a
  // cast or native code may store any number in a function reference.
  const auto* node = reinterpret_cast<const Runable*>(value);
  if (value == 0 || context.heap == nullptr || !context.heap->IsLiveFunction(node)) return nullptr;
  return const_cast<Function*>(static_cast<const Function*>(node));
}

}  // namespace script
