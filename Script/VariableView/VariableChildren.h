#pragma once
// The children a variable expands into in the debugger's variable list and
// the globals listing, made one at a time: a huge array costs nothing until
// its elements are asked for.
#include <cstddef>

#include "Script/VariableView/ViewedVariable.h"

namespace script {

// Whether variables of the type expand: structures, error types, arrays
// and libraries.
bool IsExpandable(const Type* type);

// The number of children: one per array element, one per member of a
// structure or error type. None for an unresolved variable and for the
// other types.
std::size_t ChildCount(const ViewedVariable& variable);

// The child at an index below ChildCount: an element named "[i]" or, with
// several dimensions, "[i,j,...]" with the first index varying fastest; a
// member named by its declaration. A reference member or element is shown
// as the object its address points at (unresolved when the address is
// null). The child shares the parent's symbols.
ViewedVariable ChildAt(const ViewedVariable& variable, std::size_t index);

}  // namespace script
