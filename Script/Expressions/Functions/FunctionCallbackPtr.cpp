#include "Script/Expressions/Functions/FunctionCallbackPtr.h"

#include <cstring>
#include <new>
#include <vector>

#include "Script/Debugger/FlowSemaphor.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Memory/Memory.h"
#include "Script/Native/CallbackValues.h"
#include "Script/Native/NativeRegistry.h"
#include "Script/Platform/FaultGuard.h"
#include "Script/Platform/Thread.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Stack/ThreadMap.h"
#include "Script/Values/Value.h"

namespace script {

FunctionCallbackPtr::FunctionCallbackPtr(Function& owner, Memory& heap)
    : Node(TYPE_FUNCTION_CALLBACK_PTR, owner.Position(), &owner),
      owner_(owner),
      heap_(heap),
      entry_(*owner.GetPrototype(), &FunctionCallbackPtr::Enter, this) {
  if (entry_.Address() != nullptr && heap.Natives() != nullptr) heap.Natives()->Register(entry_.Address(), &owner);
}

uint32_t FunctionCallbackPtr::Run(ExecContext* context) { return owner_.Run(context); }

void FunctionCallbackPtr::Enter(void* self, void* result, void** arguments) {
  static_cast<FunctionCallbackPtr*>(self)->Call(result, arguments);
}

void FunctionCallbackPtr::Call(void* result, void** arguments) {
  std::memset(result, 0, entry_.ReturnBufferSize());
  ThreadMap* threads = heap_.Threads();
  if (threads == nullptr) return;
  const uint32_t threadId = platform::CurrentThreadId();
  StackMemory* stack = threads->GetStackMemory(threadId);
  const int32_t depth = stack->FrameCount();
  // A thread that runs no script shares the globals for this call.
  const bool firstEntry = threads->ShareGlobals(stack);
  ExecContext context{nullptr, &heap_, stack, nullptr};
  FlowSemaphor* gate = stack->Gate();
  if (firstEntry && stack->FrameCount() == 0) {
    ReportRuntimeError(&context, this, "No script is running for the callback.");
  } else if (arguments == nullptr) {
    ReportRuntimeError(&context, this, "Unsupported type in a callback's signature.");
  } else {
    if (firstEntry) {
      if (gate != nullptr) gate->ReportThreadStart();
    } else if (gate != nullptr) {
      gate->IncrementNativeCounter();  // back in script code
    }
    RunCall(context, result, arguments);
    if (gate != nullptr) gate->IncrementNativeCounter();
    if (firstEntry && gate != nullptr) {
      gate->LeaveThread();
      gate->ReportThreadEnd();
    }
  }
  if (firstEntry) {
    threads->ReleaseStackMemory(threadId);
    return;
  }
  // Frames a fault left behind.
  while (stack->FrameCount() > depth) stack->PopFrame();
}

void FunctionCallbackPtr::RunCall(ExecContext& context, void* result, void** arguments) {
  const std::vector<FunctionRefEntry>& entries = owner_.GetPrototype()->Entries();
  const std::size_t count = entries.size() - 1;
  std::vector<Value> values(count);
  std::vector<ReferenceCell> cells(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (const uint32_t fault = ArgumentValue(heap_, entries[i + 1].type, arguments[i], values[i], cells[i])) {
      ReportRuntimeError(&context, this, "MEMORY_ACCESS_EXCEPTION!", fault);
      return;
    }
  }
  Value returned;
  uint32_t status = RUN_OK;
  // Nothing may unwind into the native caller's frames: an allocation that
  // fails where no node checks for it ends the callback here.
  auto call = [&] {
    try {
      status = owner_.Call(&context, this, values.data(), count, &returned);
    } catch (const std::bad_alloc&) {
      status = ReportRuntimeError(&context, this, "Out of memory.");
    }
  };
  if (const uint32_t fault = platform::Guarded(call)) {
    ReportRuntimeError(&context, this, "SE Exception", fault);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) WriteBack(heap_, entries[i + 1].type, values[i], cells[i]);
  if (status == RUN_OK) ReturnValue(heap_, entries.front().type, returned, result, entry_.ReturnBufferSize());
}

}  // namespace script
