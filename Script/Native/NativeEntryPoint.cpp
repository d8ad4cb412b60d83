#include "Script/Native/NativeEntryPoint.h"

namespace script {

NativeEntryPoint::NativeEntryPoint(const FunctionRefType& prototype, Handler handler, void* target)
    : handler_(handler), target_(target) {
  supported_ = signature_.Prepare(prototype);
  ffi_cif* interface = signature_.Interface();
  if (!supported_) {
    if (ffi_prep_cif(&unsupported_, FFI_DEFAULT_ABI, 0, &ffi_type_void, nullptr) != FFI_OK) return;
    interface = &unsupported_;
  }
  closure_ = static_cast<ffi_closure*>(ffi_closure_alloc(sizeof(ffi_closure), &code_));
  if (closure_ == nullptr) return;
  if (ffi_prep_closure_loc(closure_, interface, &NativeEntryPoint::Dispatch, this, code_) != FFI_OK) {
    ffi_closure_free(closure_);
    closure_ = nullptr;
    code_ = nullptr;
  }
}

NativeEntryPoint::~NativeEntryPoint() {
  if (closure_ != nullptr) ffi_closure_free(closure_);
}

void NativeEntryPoint::Dispatch(ffi_cif*, void* result, void** arguments, void* self) {
  auto* entry = static_cast<NativeEntryPoint*>(self);
  entry->handler_(entry->target_, result, entry->supported_ ? arguments : nullptr);
}

}  // namespace script
