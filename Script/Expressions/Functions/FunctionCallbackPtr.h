#pragma once
// The native entry point of a script function, made the first time the
// function is used as a function reference value: native code calls it like
// a C function of the function's signature, and the call runs the script
// function on the calling thread. A thread that runs no script gets a stack
// memory and a debugger gate of its own for the call, sharing the globals of
// the running script; a script thread whose native code calls back goes on
// in its own stack. A processor fault during the call is reported as
// "SE Exception", and the native caller gets zeros.
#include "Script/Expressions/Node.h"
#include "Script/Native/NativeEntryPoint.h"

namespace script {

class Function;
class Memory;

class FunctionCallbackPtr : public Node {
 public:
  // Registers the entry point as the function's in the heap's registry of
  // native functions.
  FunctionCallbackPtr(Function& owner, Memory& heap);

  // Runs the owning function.
  uint32_t Run(ExecContext* context) override;
  // Written with its function, never on its own.
  void Serialize(Serializer*) override {}

  // The address native code calls; null when no entry point could be made.
  void* Address() const { return entry_.Address(); }

 private:
  static void Enter(void* self, void* result, void** arguments);
  // A call from native code on the calling thread.
  void Call(void* result, void** arguments);
  // Binds the arguments, runs the function and delivers its result.
  void RunCall(ExecContext& context, void* result, void** arguments);

  Function& owner_;
  Memory& heap_;
  NativeEntryPoint entry_;
};

}  // namespace script
