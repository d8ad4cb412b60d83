#pragma once
// A native function at a fixed address, called with the signature of a
// function reference type: the runtime makes one for an address found in a
// function reference variable (a pointer native code returned, say). It is
// also the base of the library functions, which look their address up.
#include <cstdint>
#include <vector>

#include "Script/Expressions/Functions/Function.h"
#include "Script/Foundation/FrameSlot.h"
#include "Script/Native/NativeSignature.h"

namespace script {

class FunctionPtr : public Function {
 public:
  // The prototype is not owned: it is the function reference type the
  // address was found through.
  FunctionPtr(const SourcePosition& position, Node* parent, FunctionRefType* prototype, void* address)
      : FunctionPtr(TYPE_FUNCTION_PTR, position, parent, prototype) {
    address_ = address;
  }

  // Binds the arguments to a frame of the prototype's parameters and calls
  // the native code (CallNative). Address 0 reports "NULL function pointer.".
  uint32_t Call(ExecContext* context, const Runable* site, Value* arguments, std::size_t count,
                Value* result) override;
  // Never part of the script's text.
  void Serialize(Serializer*) override {}
  // A native function is referenced by its own address.
  uintptr_t GetReferenceValue(ExecContext* context) override {
    return reinterpret_cast<uintptr_t>(Address(context));
  }

  // The address to call; null when there is none (reported when a lookup
  // failed).
  virtual void* Address(ExecContext* context);

 protected:
  FunctionPtr(int32_t typeId, const SourcePosition& position, Node* parent, FunctionRefType* prototype);

 private:
  void* address_ = nullptr;
  NativeSignature signature_;
  std::vector<FrameSlot> layout_;  // one slot per parameter
};

}  // namespace script
