#pragma once
// Walking access chains such as a[i].b or f().x: a variable-like head whose
// right links lead through member accesses, subscripts, calls and member
// variables.
#include "Script/Expressions/Node.h"

namespace script {

class Variable;

// Whether a node of this id continues an access chain through its right link.
bool ContinuesChain(int32_t id);

// The first node of the chain that `node` stands in: climbs while the node is
// the right link of a chain node.
Node* OperandChainHead(Node* node);

// The last variable-like node reached from `head` through variables, member
// accesses and subscripts; a call ends the walk. Null when none is reached.
Variable* LastChainVariable(Node* head);

// Whether a variable is a function reference with a call behind it.
bool IsCallThroughReference(const Variable* variable);

}  // namespace script
