#pragma once
// What a reference to a reference may be bound to: the storage handle of a
// named variable. The rules for returns and arguments ask how the access
// chain of the expression ends.
#include "Script/Expressions/Node.h"

namespace script {

enum class ChainEnd {
  Variable,        // a variable itself
  FunctionReturn,  // the chain ends in a call
  Member,          // reached through a member access
  ArrayItem,       // reached through a subscript
};

// How the access chain that starts at `head` (a variable-like node) ends.
ChainEnd ReferenceChainEnd(const Node* head);

// The expression an argument or return value stands for, looking through a
// statement wrapper.
const Node* Unwrapped(const Node* expression);

}  // namespace script
