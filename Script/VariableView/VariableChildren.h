#pragma once
// The children a variable expands into in the debugger's variable list.
#include <vector>

#include "Script/VariableView/ViewedVariable.h"

namespace script {

class SymbolStore;

// Whether variables of the type expand: structures, error types, arrays
// and libraries.
bool IsExpandable(const Type* type);

// The children of a variable, in order: one per array element, named "[i]"
// or, with several dimensions, "[i,j,...]" with the first index varying
// fastest; one per member of a structure or error type, named by the member.
// A reference member or element is shown as the object its address points
// at (unresolved when the address is null). None for an unresolved variable
// and for the other types.
std::vector<ViewedVariable> ExpandVariable(const ViewedVariable& variable, const SymbolStore& symbols);

}  // namespace script
