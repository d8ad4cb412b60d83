#pragma once
// A script function: its prototype (a function reference type whose entry 0
// is the return type and entries 1 to n the parameter types), its parameter
// declarations and its body scope (the left child). Built-in and native
// functions derive from it and take part in calls through the same Call.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Script/Expressions/Node.h"

namespace script {

class FunctionCallbackPtr;
class FunctionRefType;
class Scope;
class SymbolStore;
class Type;
class Value;
class Variable;

class Function : public Node {
 public:
  // The prototype takes the function's name symbol; its return type entry is
  // added by the compiler.
  Function(const SourcePosition& position, Node* parent);
  // Deletes the parameter declarations, then the prototype it owns.
  ~Function() override;

  // Runs the body with the caller's context; a return ends it as RUN_OK.
  uint32_t Run(ExecContext* context) override;
  // "function", the return type, the name, the parameters, the body.
  void SerializeBody(Serializer* serializer) override;

  // Performs a call: pushes the callee's frame, binds the arguments, runs,
  // pops the frame. The value returned arrives in `result`. `site` names the
  // call for runtime errors. Callees that are not script functions (built-in
  // and native functions) override it.
  virtual uint32_t Call(ExecContext* context, const Runable* site, Value* arguments, std::size_t count,
                        Value* result);
  // The value a function reference holding this function carries: the
  // address of the function's native entry point, made on first use and the
  // same every time; 0 when it cannot be made.
  virtual uintptr_t GetReferenceValue(ExecContext* context);

  FunctionRefType* GetPrototype() const { return prototype_; }
  // "RET NAME(ARG, ARG)": the names of the prototype's types around the
  // function's name.
  std::string Signature(const SymbolStore& symbols) const;
  Type* GetReturnType() const;
  Scope* Body() const;

  // Adds a parameter: its declaration type (owned from here on) and, for a
  // named parameter, the variable declared with it (an item of the type).
  // Also enters the type into the prototype.
  void AddParameter(Type* type, Variable* variable);
  // The declaration of the named parameter, or null.
  Variable* FindParameter(uint32_t symbol) const;
  const std::vector<Variable*>& ParameterVariables() const { return parameterVariables_; }
  std::size_t ParameterCount() const { return parameterTypes_.size(); }

  // How many levels of nodes the body reaches below the function, which a
  // call needs room for on the machine stack; the compiler notes each depth.
  void NoteNesting(uint32_t levels) { nesting_ = levels > nesting_ ? levels : nesting_; }

 protected:
  Function(int32_t typeId, const SourcePosition& position, Node* parent);
  // A function whose prototype belongs to another node (a native function
  // takes the type it was declared or called with).
  Function(int32_t typeId, const SourcePosition& position, Node* parent, FunctionRefType* prototype);

  // Pushes the callee's frame and binds argument i to parameter slot i.
  uint32_t PrepareCall(ExecContext* context, const Runable* site, Value* arguments, std::size_t count);
  // Binds argument i to slot i of the current frame by the prototype's
  // parameter type: a reference to a reference shares the caller's handle,
  // a reference points the slot at the caller's storage, a value is
  // converted into the slot.
  uint32_t BindArguments(ExecContext* context, const Runable* site, Value* arguments, std::size_t count);

 private:
  FunctionRefType* prototype_;            // owned unless ownsPrototype_ is false
  bool ownsPrototype_ = true;
  std::atomic<FunctionCallbackPtr*> callback_{nullptr};  // owned; made on first use
  std::vector<Type*> parameterTypes_;     // owned, in declaration order
  std::vector<Variable*> parameterVariables_;  // items of the parameter types
  uint32_t nesting_ = 0;
};

}  // namespace script
