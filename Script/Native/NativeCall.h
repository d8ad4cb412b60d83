#pragma once
// A call of native code from the script: the arguments bound to the callee's
// frame are handed over as the signature says, the call runs under the
// fault guard, and the result comes back as a script value.
#include <cstdint>

namespace script {

struct ExecContext;
class FunctionRefType;
class NativeSignature;
class Runable;
class Value;

// Calls the native code at `address` for the callee whose frame is current:
// its slots hold the bound arguments (by value; retargeted to the caller's
// storage for "@"; sharing the caller's handle for "@@"). Pending standard
// output is written out before and after the call, and the thread's gate
// counts the thread as in native code during it. The result goes into
// `result`; an "@@" argument whose pointer native code replaced is bound to
// the new address afterwards. A processor fault in the call is reported as
// "SE Exception" at `site` with its code, and the result is RUN_EXCEPTION.
uint32_t CallNative(ExecContext* context, const Runable* site, const FunctionRefType& prototype,
                    NativeSignature& signature, void* address, Value* result);

}  // namespace script
