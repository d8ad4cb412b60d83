#pragma once
// The "@" marker of a reference in a declaration, below the declared type.
#include "Script/Expressions/Node.h"

namespace script {

class Type;

class Reference : public Node {
 public:
  Reference(const SourcePosition& position, Node* parent) : Node(TYPE_REF, position, parent) {}

  // A marker does nothing when run.
  uint32_t Run(ExecContext*) override { return RUN_OK; }
  // A marker never stands in an expression.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
};

// Adds a reference marker ("@") to a type: the first makes it a reference,
// the second a reference to a reference. False when the type has `allowed`
// markers already.
bool AddReferenceMarker(Type* type, const SourcePosition& position, uint32_t allowed);

}  // namespace script
