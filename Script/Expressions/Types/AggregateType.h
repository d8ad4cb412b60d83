#pragma once
// A structure type. The defining node holds the member declarations and the
// layout; a node that only uses a structure declared elsewhere links to the
// defining node and forwards every member question along that link.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Script/Expressions/Types/Type.h"

namespace script {

class Variable;

class AggregateType : public Type {
 public:
  AggregateType(const SourcePosition& position, Node* parent) : AggregateType(TYPE_AGGREGATE_TYPE, position, parent) {}
  // Deletes the member declarations, last to first.
  ~AggregateType() override;

  // Defining node: the keyword; using node: the structure's name.
  void SerializeBegin(Serializer* serializer) override;
  // Defining node: the name and the member declarations in braces; then the
  // reference markers and items as any type.
  void SerializeBody(Serializer* serializer) override;

  uint32_t GetSize() const override { return Defining()->structSize_; }
  // Same member declarations, in order, as the other structure.
  bool IsCompatible(const Type* other) const override { return IsSameType(other); }
  bool IsSameType(const Type* other) const override;
  void CopyValue(Memory& memory, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
                 uint32_t sourceOffset) const override;
  // "d_v...": variable v of member declaration d, then the rest in that member.
  MemoryBlock* ResolvePath(Memory& memory, std::string_view path, MemoryBlock* block, uint32_t offset,
                           uint32_t& outOffset) const override;
  void VisitMembers(InstanceHandler& visitor, MemoryBlock* block, uint32_t offset) const override;
  bool IsSafeType(Error* error, std::vector<SourcePosition>& trace) const override;
  bool IsPlainData() const override { return Defining()->plainData_; }

  // Computes each member variable's offset, the alignment and the size. False
  // when a member declaration holds anything but variables with a type, or
  // holds none and is no structure definition.
  bool ComputeLayout();

  // A member declaration: a type whose items are the member variables. The
  // structure owns it.
  void AddMember(Type* member);
  const std::vector<Type*>& Members() const { return Defining()->members_; }
  // The member variables of every declaration, in layout order; filled by
  // ComputeLayout.
  const std::vector<Variable*>& MemberVariables() const { return Defining()->memberVariables_; }
  // The member variable named by a symbol, or null; found through an index
  // that takes in the members declared since the last question.
  const Variable* FindMember(uint32_t symbol) const;

  // The defining node, when this node only uses the structure (not owned).
  void SetDefinition(AggregateType* definition) { definition_ = definition; }
  AggregateType* Definition() const { return definition_; }
  // The node that holds the members and the layout.
  const AggregateType* Defining() const { return definition_ != nullptr ? definition_ : this; }

 protected:
  AggregateType(int32_t typeId, const SourcePosition& position, Node* parent) : Type(typeId, position, parent) {}

  uint32_t ValueAlignment() const override { return Defining()->structAlignment_; }

 private:
  // Adds the member variables declared since the last call to the index;
  // the last declaration may still take more variables.
  void IndexNewMembers() const;

  std::vector<Type*> members_;
  std::vector<Variable*> memberVariables_;
  mutable std::unordered_map<uint32_t, const Variable*> memberIndex_;
  mutable std::size_t indexedDeclarations_ = 0;  // declarations wholly indexed
  mutable std::size_t indexedItems_ = 0;         // items indexed of the next one
  AggregateType* definition_ = nullptr;
  uint32_t structSize_ = 0;
  uint32_t structAlignment_ = 1;
  bool plainData_ = true;
};

}  // namespace script
