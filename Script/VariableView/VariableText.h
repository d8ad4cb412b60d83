#pragma once
// The value text of a variable in the debugger's variable list.
#include <cstdint>
#include <string>

#include "Script/VariableView/ViewedVariable.h"
#include "kelvra/VariableHandle.h"

namespace script {

// "<null>" when the variable's storage cannot be resolved. Otherwise by the
// type: strings quoted and escaped; floating point in decimal; function
// references in hexadecimal; structures, error types, arrays and libraries
// "<...>"; bool and integers by the view ("<...>" when a hex or binary form
// fails), an i8 or ui8 followed by its character in single quotes. A pinned
// block adds the prefix "LOCKED: ".
std::string ValueText(const ViewedVariable& variable, ViewAs view);

}  // namespace script
