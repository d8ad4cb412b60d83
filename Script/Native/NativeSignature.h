#pragma once
// How the values of one signature travel between the script and native
// code: the libffi call interface built from a function reference type
// (entry 0 the return type, then the argument types, each with its reference
// mode), prepared once and kept for every later call or callback.
//
// By value, bool and the integers travel as C integers of their width,
// float and double as C floating point, a string as the address of its
// characters, a function reference as an address, and a structure as the C
// structure of the same layout (libffi passes it the way the System V ABI
// does). With one or two reference marks a value travels as an address.
#include <ffi.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace script {

class FunctionRefType;
class Type;

class NativeSignature {
 public:
  NativeSignature() = default;
  NativeSignature(const NativeSignature&) = delete;
  NativeSignature& operator=(const NativeSignature&) = delete;

  // Builds the interface on first use; later calls only read it. False when
  // a type cannot cross into native code (a library or an array by value, a
  // structure or array holding strings or references, a structure without
  // members, a layout libffi sees otherwise).
  bool Prepare(const FunctionRefType& prototype);

  ffi_cif* Interface() { return &cif_; }
  // Bytes a buffer for the return value needs: at least one ffi_arg.
  std::size_t ReturnBufferSize() const;

 private:
  // A structure or fixed array as libffi describes it.
  struct Composite {
    ffi_type type{};
    std::vector<ffi_type*> elements;
    const Type* described = nullptr;  // whose size libffi must agree on
  };

  bool Build(const FunctionRefType& prototype);
  // The libffi type of a value passed or returned; null when it cannot cross.
  ffi_type* ValueType(const Type* type);
  // The libffi type of a member or element slot: an address for a
  // reference slot, the value's layout otherwise.
  ffi_type* SlotType(const Type* type);
  // A structure, a fixed array or a string object inside a structure, as
  // libffi's structure of the same layout.
  ffi_type* CompositeType(const Type* type);
  // Appends the slot types of a structure's members or an array's elements.
  bool AppendMembers(const Type* type, std::vector<ffi_type*>& elements);

  std::once_flag prepared_;
  bool ready_ = false;
  ffi_cif cif_{};
  std::vector<ffi_type*> arguments_;
  std::vector<std::unique_ptr<Composite>> composites_;
};

}  // namespace script
