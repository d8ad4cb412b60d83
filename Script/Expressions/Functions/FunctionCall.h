#pragma once
// A call: the right child of the name it calls (a function name, a function
// reference variable, an array element or another call's result). Running it
// evaluates the arguments, resolves the callee and asks the callee to
// perform the call; a following access chain (f().x, f()[2], f()(1)) reads
// the returned value through the call's binding slot.
#include <cstdint>
#include <vector>

#include "Script/Expressions/Node.h"

namespace script {

class Function;
class FunctionRefType;

class FunctionCall : public Node {
 public:
  FunctionCall(const SourcePosition& position, Node* parent) : Node(TYPE_FUNCTION_CALL, position, parent) {}
  // Deletes the arguments.
  ~FunctionCall() override;

  uint32_t Run(ExecContext* context) override;
  // Argument counts and types against the callee's prototype, the rules of
  // the built-in functions, then the access chain.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // For a cast "<" target ">"; then "(", the arguments, ")" and the chain.
  void SerializeBody(Serializer* serializer) override;
  // An argument with increments or decrements is wrapped in place.
  bool ReplaceChild(Node* wrapper) override;
  bool SubstituteChild(Node* child, Node* replacement) override;

  void AddArgument(Node* argument);
  Node* GetArgument(std::size_t index) const { return index < arguments_.size() ? arguments_[index] : nullptr; }
  std::size_t ArgumentCount() const { return arguments_.size(); }

  // The function reference type describing the callee, found from the
  // parent; null when the parent names no function.
  FunctionRefType* GetCalleeType() const;
  // The type the call yields (the callee's return type); null when unknown.
  Type* GetResultType() const;

  // The rebinding slot through which an access chain reads the result.
  uint32_t BindingSlot() const { return bindingSlot_; }
  void SetBindingSlot(uint32_t slot) { bindingSlot_ = slot; }

  // The argument list is open until the compiler reads its ")".
  bool IsOpen() const { return open_; }
  void Close() { open_ = false; }

 private:
  // The function to call: fixed for a function name, else read from the
  // reference value the parent bound; null when none is found. RUN_ERROR
  // when finding it failed with a report of its own.
  uint32_t ResolveCallee(ExecContext* context, Function*& callee) const;
  uint32_t CallWith(ExecContext* context, Value* arguments);
  // A cast's call: its argument runs with the reference-slot words asked
  // for, and the cast receives the cell it was read from in its context.
  uint32_t RunCast(ExecContext* context);
  // Resolves the callee and calls it with the evaluated arguments (the
  // callee runs with `calleeContext`), then hands the result on.
  uint32_t Perform(ExecContext* context, ExecContext* calleeContext, Value* arguments);
  // Runs the access chain on the returned value.
  uint32_t RunChain(ExecContext* context, Value& returned);
  bool CheckBuiltInCall(int32_t kind, Type** resultType, Error* error);
  // A constant may be passed by reference to a callee that only reads it.
  bool CheckArgument(std::size_t index, Type* parameterType, bool readOnly, Error* error);
  // Checks an argument and puts a statement wrapper it needs in its place.
  bool CheckAndWrap(std::size_t index, Type** argumentType, Error* error);

  std::vector<Node*> arguments_;  // owned, in source order
  Function* direct_ = nullptr;    // the callee of a function name, fixed by the check
  bool castCall_ = false;         // the callee is the cast built-in
  uint32_t bindingSlot_ = 0;
  bool open_ = true;
};

}  // namespace script
