#pragma once
// How the native arguments of a callback become script values, and the
// script function's result the value its native caller expects.
#include <cstddef>
#include <cstdint>

namespace script {

class Memory;
class Type;
class Value;

// What the write-back of an "@@" parameter needs: the native cell and the
// address of the storage first bound to the parameter.
struct ReferenceCell {
  void* cell = nullptr;
  uintptr_t bound = 0;
};

// The script value for a native argument of a parameter of `type`, from
// libffi's pointer to the argument. By value: a copy (a string from the C
// characters it points at). With "@": the storage at the address passed,
// new zeroed storage for a null one (a function reference takes the value
// stored there). With "@@": the same for the pointer the passed address
// points at; `cell` keeps what the write-back needs. 0, or the code of the
// fault that reading native memory raised.
uint32_t ArgumentValue(Memory& heap, Type* type, void* argument, Value& value, ReferenceCell& cell);

// After the call, an "@@" parameter hands its storage back through its
// cell: a function reference its value, other storage its address when the
// script function bound the parameter elsewhere.
void WriteBack(Memory& heap, Type* type, const Value& value, const ReferenceCell& cell);

// Writes the result into libffi's return buffer as a C caller of the
// signature expects: integers widened to a register, float and double as
// such, structures by their bytes, references as addresses. The buffer
// holds zeros when the result was never set.
void ReturnValue(Memory& heap, Type* type, const Value& result, void* buffer, std::size_t size);

}  // namespace script
