#pragma once
// Function reference values: a function reference holds the value of the
// function it designates (Function::GetReferenceValue); a value of 0 is bound
// on first use to the function named by its type.
#include <cstdint>

namespace script {

struct ExecContext;
class Function;

// The program's function of the given name symbol, or null.
Function* ProgramFunction(const ExecContext& context, uint32_t symbol);

// The function a reference value designates, or null for a value that
// designates none. Native addresses are not known yet: they resolve to null.
Function* FunctionOfReference(const ExecContext& context, uintptr_t value);

}  // namespace script
