#pragma once
// Builds type trees the way the declaration compiler does: reference markers
// below a type, member declarations with their variables below a structure.
#include <cstdint>
#include <initializer_list>

#include "Script/Expressions/Node.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Expressions/Variables/Variable.h"

namespace script::test {

// A node that only carries an id: a reference marker, or a parent whose id
// is all that a type asks of it.
class StubNode final : public Node {
 public:
  explicit StubNode(int32_t typeId, Node* parent = nullptr, SourcePosition position = {})
      : Node(typeId, position, parent) {}
  uint32_t Run(ExecContext*) override { return RUN_OK; }
};

// Gives a type reference mode 1 ("@") or 2 ("@@").
inline void MarkReference(Type& type, uint32_t mode) {
  if (mode >= 1) type.SetLeft(new StubNode(TYPE_REF, &type));
  if (mode >= 2) type.SetRight(new StubNode(TYPE_REF, &type));
}

// Adds variables, one per symbol id, to a declaration.
template <class T>
T* Declare(T* type, std::initializer_list<uint32_t> symbols) {
  for (uint32_t symbol : symbols) type->AddItem(new Variable(SourcePosition{symbol}, type, type));
  return type;
}

// Adds a member declaration of a basic type, with a reference mode and one
// variable per symbol id.
inline Type* AddMember(AggregateType& structure, int32_t typeId, uint32_t referenceMode,
                       std::initializer_list<uint32_t> symbols) {
  auto* member = new Type(typeId, SourcePosition{}, &structure);
  MarkReference(*member, referenceMode);
  structure.AddMember(member);
  return Declare(member, symbols);
}

// A member variable's layout offset.
inline uint32_t OffsetOf(const Type& member, std::size_t index) {
  return static_cast<const Variable*>(member.Items().at(index))->MemberOffset();
}

// A structure that uses `definition`, as a member declaration or element type.
inline AggregateType* UseStructure(AggregateType& definition, Node* parent, uint32_t referenceMode = 0) {
  auto* use = new AggregateType(definition.Position(), parent);
  use->SetDefinition(&definition);
  MarkReference(*use, referenceMode);
  return use;
}

// An array type with fixed dimensions (none for a dynamic array).
inline ArrayType* MakeArray(Type* element, std::initializer_list<uint32_t> dimensions, Node* parent = nullptr) {
  auto* array = new ArrayType(SourcePosition{}, parent);
  array->SetElementType(element);
  for (uint32_t dimension : dimensions) array->AddDimension(dimension, {});
  return array;
}

}  // namespace script::test
