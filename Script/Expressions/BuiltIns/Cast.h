#pragma once
// cast<T>(x): x's bytes seen as a T, with no conversion: the result refers to
// x's block at x's offset with the type T. When x is read from a reference
// member whose cell holds no address, the cell first gets a new zero-filled
// object, which the result then refers to. T must fit the bytes x's block
// holds from x on; the compiler accepts only types that are plain bytes
// (no strings, no reference members) on either side.
#include "Script/Expressions/BuiltIns/BuiltInFunction.h"

namespace script {

class Cast : public BuiltInFunction {
 public:
  Cast(const SourcePosition& position, Node* parent) : BuiltInFunction(TYPE_CAST, position, parent, nullptr, nullptr) {}

 protected:
  // The target type comes from the call, whose callee type holds it as its
  // return type. The call hands over the cell x was read from in the
  // context's reference-slot words (FunctionCall runs a cast's argument
  // with them asked for).
  uint32_t Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) override;

 private:
  // The cast's target type, when `site` is a call of this cast; else null.
  Type* TargetOf(const Runable* site) const;
};

}  // namespace script
