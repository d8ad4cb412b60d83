#include "Script/Expressions/Functions/ReferenceChain.h"

#include "Script/Expressions/ControlFlow/PrePostExpressions.h"

namespace script {

ChainEnd ReferenceChainEnd(const Node* head) {
  bool member = false;
  bool item = false;
  const Node* last = head;
  for (const Node* link = head->Right(); link != nullptr; link = link->Right()) {
    member = member || link->TypeId() == TYPE_DOT;
    item = item || link->TypeId() == TYPE_SUBSCRIPT;
    last = link;
  }
  if (last->TypeId() == TYPE_FUNCTION_CALL) return ChainEnd::FunctionReturn;
  if (member) return ChainEnd::Member;
  return item ? ChainEnd::ArrayItem : ChainEnd::Variable;
}

const Node* Unwrapped(const Node* expression) {
  if (expression != nullptr && expression->TypeId() == TYPE_PRE_POST_EXPRESSIONS) {
    return static_cast<const PrePostExpressions*>(expression)->Wrapped();
  }
  return expression;
}

}  // namespace script
