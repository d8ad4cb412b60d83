#pragma once
// Creates the operator node for an operator's type id.
#include <cstdint>

#include "Script/Foundation/SourcePosition.h"

namespace script {

class Node;

// The new node (registered as live, parent set, no children) for the ids of
// "=", "@=", "!", "~", the two-operand operators, the compound assignments
// and the pre/post increments and decrements (15, 16, 20, 21); null for any
// other id and when memory runs out.
Node* CreateOperatorNode(int32_t typeId, const SourcePosition& position, Node* parent);

}  // namespace script
