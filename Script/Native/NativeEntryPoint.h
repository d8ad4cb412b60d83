#pragma once
// A native entry point: a libffi closure with the signature of a function
// reference type, which native code calls like any C function of that
// signature. Each call goes to a handler with the closure's target, the
// buffer for the return value and libffi's argument pointers. The entry
// point's address stays the same for its whole life.
#include <ffi.h>

#include "Script/Native/NativeSignature.h"

namespace script {

class FunctionRefType;

class NativeEntryPoint {
 public:
  // result: the return value's buffer, at least one ffi_arg and the return
  // type's size; arguments: one pointer per argument, to its value.
  using Handler = void (*)(void* target, void* result, void** arguments);

  // A signature that cannot cross into native code still gets an address;
  // a call of it reaches the handler with null arguments and must return
  // nothing.
  NativeEntryPoint(const FunctionRefType& prototype, Handler handler, void* target);
  NativeEntryPoint(const NativeEntryPoint&) = delete;
  NativeEntryPoint& operator=(const NativeEntryPoint&) = delete;
  ~NativeEntryPoint();

  // The code address native code calls; null when no closure could be made.
  void* Address() const { return code_; }
  // Whether calls arrive with the declared signature.
  bool Supported() const { return supported_; }
  // Bytes of the return value's buffer.
  std::size_t ReturnBufferSize() const { return signature_.ReturnBufferSize(); }

 private:
  static void Dispatch(ffi_cif* cif, void* result, void** arguments, void* self);

  NativeSignature signature_;
  ffi_cif unsupported_{};  // void(void), for a signature that cannot cross
  bool supported_ = false;
  Handler handler_;
  void* target_;
  ffi_closure* closure_ = nullptr;
  void* code_ = nullptr;
};

}  // namespace script
