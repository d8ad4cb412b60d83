#pragma once
// A built-in function (sizeof, arr2str, warr2str, str2arr, str2warr, lock,
// unlock, cast): a function node under the program root whose type id names
// the built-in. The compiler checks calls of it by its prototype and rules;
// running one is not supported yet and ends in a runtime error.
#include "Script/Expressions/Functions/Function.h"

namespace script {

class BuiltInFunction : public Function {
 public:
  // `typeId` is one of TYPE_SIZEOF to TYPE_CAST.
  BuiltInFunction(int32_t typeId, const SourcePosition& position, Node* parent) : Function(typeId, position, parent) {}

  uint32_t Call(ExecContext* context, const Runable* site, Value* arguments, std::size_t count,
                Value* result) override;
  // Built-ins are part of the language, not of the script text.
  void Serialize(Serializer*) override {}
};

}  // namespace script
