#pragma once
// sizeof(x): the ui32 size of x in bytes; for a string its length, for an
// array without fixed dimensions the bytes from x to the end of its block.
#include "Script/Expressions/BuiltIns/BuiltInFunction.h"

namespace script {

class SizeOf : public BuiltInFunction {
 public:
  SizeOf(const SourcePosition& position, Node* parent);

 protected:
  uint32_t Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) override;
};

}  // namespace script
