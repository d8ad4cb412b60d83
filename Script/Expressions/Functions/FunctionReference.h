#pragma once
// Function reference values: a function reference holds the address native
// code would call (Function::GetReferenceValue): a script function's entry
// point or a native function's address. A value of 0 is bound on first use
// to the function its type names.
#include <cstdint>

namespace script {

struct ExecContext;
class Function;
class FunctionRefType;
class Type;

// The program's function of the given name symbol, or null.
Function* ProgramFunction(const ExecContext& context, uint32_t symbol);

// The function a non-zero reference value designates: the script function
// of an entry point, a native function known by its address, or else a new
// native function for the address with the reference's type as signature
// (registered, so that the same address finds it again). Null without memory.
Function* FunctionOfReference(const ExecContext& context, uintptr_t value, FunctionRefType* referenceType);

// Binds a reference of `referenceType` whose storage at `cell` holds 0: a
// member of a library variable to its library function (the address looked
// up on first use), any other reference to the program's function its type
// is named after. The function's reference value is stored in the cell and
// the function returned in `function` (null when there is none). RUN_ERROR
// when a library function's lookup failed; it has been reported.
uint32_t BindUnsetReference(ExecContext* context, const Type* referenceType, uint8_t* cell, Function*& function);

}  // namespace script
