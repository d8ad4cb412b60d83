#pragma once
// A node that keeps definitions by symbol id: scopes and types.
#include <cstdint>
#include <unordered_map>

#include "Script/Expressions/Node.h"

namespace script {

class AggregateDefCollection : public Node {
 public:
  using Node::Node;

  // Records a node under its symbol id; false when the id is already defined.
  virtual bool AddDefinition(Node* node);
  // The node defined under a symbol id, or null.
  virtual Node* FindDefinition(uint32_t symbol) const;

 private:
  std::unordered_map<uint32_t, Node*> definitions_;  // not owned
};

}  // namespace script
