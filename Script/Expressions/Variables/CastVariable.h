#pragma once
// The name of the cast built-in in an expression, cast<T>(x): a variable
// whose type is a function reference type (owned) with the target type T as
// entry 0; its right child is the call, whose result the cast built-in
// gives the target type.
#include "Script/Expressions/Variables/Variable.h"

namespace script {

class FunctionRefType;

class CastVariable : public Variable {
 public:
  // Takes ownership of the function reference type.
  CastVariable(const SourcePosition& position, Node* parent, FunctionRefType* type);
  ~CastVariable() override;

  // Needs the call; the result type is the target type.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;

  // The type converted to: entry 0 of the function reference type.
  Type* TargetType() const;
};

}  // namespace script
