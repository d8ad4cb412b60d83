#pragma once
// A library declaration, lib ("module") { declarations } name: a structure
// type whose members are the declared functions, each a member variable of
// its function reference type (return type, then argument types) whose
// storage caches the function's address once looked up. The library's
// variable (its one item) loads the module when the declaration runs; each
// member has a FunctionLibPtr that performs its calls.
#include <string>
#include <vector>

#include "Script/Expressions/Types/AggregateType.h"

namespace script {

class FunctionLibPtr;
class FunctionRefType;
class LibNode;

class LibType : public AggregateType {
 public:
  // `module` is the text between the quotation marks of the module token.
  LibType(const SourcePosition& position, Node* parent, std::string module)
      : AggregateType(TYPE_LIB, position, parent), module_(std::move(module)) {}
  // Deletes the library functions, then the members and the variable.
  ~LibType() override;

  // "lib", "(", the module, ")".
  void SerializeBegin(Serializer* serializer) override;
  // "{", each function as "ret name(arg, arg);", "}", then the variable.
  void SerializeBody(Serializer* serializer) override;

  const std::string& Module() const { return module_; }

  // Adds the node that calls the last member declared (a function reference
  // type, with the member variable naming it as its item).
  void AddFunction(FunctionLibPtr* function) { functions_.push_back(function); }
  // The library function of a member type, or null.
  FunctionLibPtr* FunctionOf(const FunctionRefType* member) const;
  // The library's variable, which holds the module; null before it is declared.
  LibNode* LibraryVariable() const;

 private:
  std::string module_;
  std::vector<FunctionLibPtr*> functions_;  // owned, in member order
};

}  // namespace script
