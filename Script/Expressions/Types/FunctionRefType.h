#pragma once
// A function reference type: the signature of a function, taken from the
// prototype named in "function<NAME>". Entry 0 is the return type, entries 1
// to n the argument types in order.
#include <cstdint>
#include <vector>

#include "Script/Expressions/Types/Type.h"

namespace script {

struct FunctionRefEntry {
  Type* type;  // null when absent
  SourcePosition position;  // of the type's token
};

class FunctionRefType : public Type {
 public:
  FunctionRefType(const SourcePosition& position, Node* parent) : Type(TYPE_FUNCTION_REF_TYPE, position, parent) {}
  // The entries' owner depends on the parent: under a function or a built-in
  // function only the return type belongs to this node, under a library
  // every entry, elsewhere none (they belong to the prototype).
  ~FunctionRefType() override;

  // "function", "<", the prototype's name, ">".
  void SerializeBegin(Serializer* serializer) override;

  bool IsCompatible(const Type* other) const override { return IsSameType(other); }
  // Another function reference type with the same entries: both absent, or
  // the same type with the same reference mode.
  bool IsSameType(const Type* other) const override;
  // "function<NAME>"; under a library "ret NAME(arg ,arg)".
  std::string GetName(const SymbolStore& symbols) const override;
  bool IsSafeType(Error* error, std::vector<SourcePosition>& trace) const override;
  // A library's function reference is a callback registration that its
  // storage must give back.
  bool IsPlainData() const override { return parent_ == nullptr || parent_->TypeId() != TYPE_LIB; }

  void AddEntry(Type* type, const SourcePosition& position) { entries_.push_back({type, position}); }
  const std::vector<FunctionRefEntry>& Entries() const { return entries_; }
  Type* ReturnType() const { return entries_.empty() ? nullptr : entries_.front().type; }

 private:
  std::vector<FunctionRefEntry> entries_;
};

}  // namespace script
