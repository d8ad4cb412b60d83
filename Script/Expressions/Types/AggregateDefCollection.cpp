#include "Script/Expressions/Types/AggregateDefCollection.h"

namespace script {

bool AggregateDefCollection::AddDefinition(Node* node) {
  return definitions_.emplace(node->Position().symbol, node).second;
}

Node* AggregateDefCollection::FindDefinition(uint32_t symbol) const {
  auto found = definitions_.find(symbol);
  return found == definitions_.end() ? nullptr : found->second;
}

}  // namespace script
