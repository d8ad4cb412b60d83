#include "Script/Expressions/Operators/OperandChain.h"

#include "Script/Expressions/Types/Type.h"
#include "Script/Expressions/Variables/Variable.h"

namespace script {

bool ContinuesChain(int32_t id) {
  return IsVariableLike(id) || id == TYPE_DOT || id == TYPE_SUBSCRIPT || id == TYPE_FUNCTION_CALL;
}

Node* OperandChainHead(Node* node) {
  while (node->Parent() != nullptr && node->Parent()->Right() == node && ContinuesChain(node->Parent()->TypeId())) {
    node = node->Parent();
  }
  return node;
}

Variable* LastChainVariable(Node* head) {
  Variable* last = nullptr;
  for (Node* link = head; link != nullptr; link = link->Right()) {
    const int32_t id = link->TypeId();
    if (IsVariableLike(id)) {
      // Every variable-like node class derives from Variable.
      last = static_cast<Variable*>(link);
    } else if (id != TYPE_DOT && id != TYPE_SUBSCRIPT) {
      break;
    }
  }
  return last;
}

bool IsCallThroughReference(const Variable* variable) {
  const Type* type = variable->GetType();
  return type != nullptr && type->TypeId() == TYPE_FUNCTION_REF_TYPE && variable->Right() != nullptr;
}

}  // namespace script
