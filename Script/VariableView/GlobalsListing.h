#pragma once
// The global variables of a script thread as text, one line per variable.
#include <functional>
#include <string>

namespace script {

class Scope;
class StackMemory;
class SymbolStore;

// Hands over one line "NAME : TYPE = VALUE" per named entry of the root
// scope's frame layout, in order, read from frame 0 of the stack memory
// (slot i holds entry i; entries without a name are binding slots, not
// variables); VALUE is the default-view value text. Structures, error types
// and arrays are followed by their children, two more blanks of indent per
// level, recursively; an object met again inside its own expansion (through
// a reference member) is not expanded a second time. Lines are made one at
// a time, so that listing a huge array holds one element at a time.
void ListGlobals(const Scope& root, const StackMemory& stack, const SymbolStore& symbols,
                 const std::function<void(const std::string& line)>& emit);

}  // namespace script
