#include "Script/Expressions/Functions/FunctionPtr.h"

#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Native/NativeCall.h"
#include "Script/Platform/StackDepth.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"

namespace script {

namespace {

// Room a native call needs on the machine stack, native code and callbacks
// into the script included.
constexpr std::size_t kStackReserve = 256 * 1024;

}  // namespace

FunctionPtr::FunctionPtr(int32_t typeId, const SourcePosition& position, Node* parent, FunctionRefType* prototype)
    : Function(typeId, position, parent, prototype) {
  const std::vector<FunctionRefEntry>& entries = prototype->Entries();
  for (std::size_t i = 1; i < entries.size(); ++i) layout_.push_back(FrameSlot{entries[i].type, entries[i].position});
}

void* FunctionPtr::Address(ExecContext*) { return address_; }

uint32_t FunctionPtr::Call(ExecContext* context, const Runable* site, Value* arguments, std::size_t count,
                           Value* result) {
  if (platform::StackRoomLeft() < kStackReserve) return ReportRuntimeError(context, site, "Stack overflow.");
  void* address = Address(context);
  if (!signature_.Prepare(*GetPrototype())) {
    return ReportRuntimeError(context, site, "Unsupported type in a native function's signature.");
  }
  StackMemory* thread = context->thread;
  thread->PushFrame(this, nullptr, layout_);
  thread->CurrentFrame()->currentStatement = this;
  uint32_t status = BindArguments(context, site, arguments, count);
  if (status == RUN_OK) {
    status = address != nullptr ? CallNative(context, site, *GetPrototype(), signature_, address, result)
                                : ReportRuntimeError(context, site, "NULL function pointer.");
  }
  thread->PopFrame();
  return status;
}

}  // namespace script
