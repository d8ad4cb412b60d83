#pragma once
// The base of the built-in functions (sizeof, arr2str, warr2str, str2arr,
// str2warr, lock, unlock, cast): function nodes created once under the
// program root, whose type id names the built-in. Each takes one argument,
// bound by reference: the built-in works on the caller's object itself.
#include "Script/Expressions/Functions/Function.h"

namespace script {

class BuiltInFunction : public Function {
 public:
  // Gives a temporary argument storage of its own (lock(5), cast<T>(a + b))
  // and applies the built-in to it. A call with another number of arguments
  // (a function reference forged to designate a built-in) is a runtime error.
  uint32_t Call(ExecContext* context, const Runable* site, Value* arguments, std::size_t count,
                Value* result) final;

  // Built-ins are part of the language, not of the script text: they write nothing.
  void SerializeBegin(Serializer*) override {}
  void SerializeBody(Serializer*) override {}
  void SerializeEnd(Serializer*) override {}

 protected:
  // The prototype gets its return type entry (owned; null when the result
  // takes the argument's or the cast target's type) and, for a declared
  // parameter type (owned), the parameter; without one the argument may be
  // of any type.
  BuiltInFunction(int32_t typeId, const SourcePosition& position, Node* parent, Type* returnType,
                  Type* parameterType);

  // Runs the built-in on its argument, which has storage, and writes the
  // result. `site` is the call, where runtime errors are reported.
  virtual uint32_t Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) = 0;
};

// The built-in function node of a type id from TYPE_SIZEOF to TYPE_CAST, with
// its prototype; null for any other id.
BuiltInFunction* NewBuiltInFunction(int32_t typeId, const SourcePosition& position, Node* parent);

}  // namespace script
