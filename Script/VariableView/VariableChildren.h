#pragma once
// The children a variable expands into in the debugger's variable list,
// one at a time, so that an array of any size is shown on demand.
#include <cstddef>

#include "Script/VariableView/ViewedVariable.h"

namespace script {

class SymbolStore;

// Whether variables of the type expand: structures, error types, arrays
// and libraries.
bool IsExpandable(const Type* type);

// How many children a variable has: one per array element that its block
// holds, one per member variable of a structure or error type; none for an
// unresolved variable and for the other types.
std::size_t ChildCount(const ViewedVariable& variable);

// Child `index` (below ChildCount) of a variable: an array element named
// "[i]" or, with several dimensions, "[i,j,...]" with the first index
// varying fastest; a member named by the member. A reference member or
// element is shown as the object its address points at (unresolved when
// the address is null).
ViewedVariable ChildAt(const ViewedVariable& variable, std::size_t index, const SymbolStore& symbols);

}  // namespace script
