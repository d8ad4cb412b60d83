#include "Script/VariableView/VariableChildren.h"

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/ValueKind.h"

namespace script {

namespace {

// The child held by the slot at block data + offset: the slot itself, or
// for a reference slot the object its address points at.
ViewedVariable SlotChild(std::string name, Type* type, MemoryBlock* block, uint32_t offset) {
  ViewedVariable child{std::move(name), type, nullptr, 0};
  if (!type->IsReferenceSlot()) {
    child.block = HoldBlock(block);
    child.offset = offset;
  } else if (SlotFits(block, offset, Type::kAddressSize) && block->Heap() != nullptr) {
    // The heap's lookup hands over one count.
    child.block.reset(block->Heap()->ResolvePointer(type, block, offset, child.offset));
  }
  return child;
}

// "[i,j,...]" for the element at a flat index, the first index varying fastest.
std::string ElementName(uint32_t index, const std::vector<uint32_t>& dimensions) {
  std::string name = "[";
  if (dimensions.empty()) name += std::to_string(index);
  for (std::size_t d = 0; d < dimensions.size(); ++d) {
    if (d != 0) name += ',';
    name += std::to_string(index % dimensions[d]);
    index /= dimensions[d];
  }
  name += ']';
  return name;
}

void AddElements(const ArrayType& array, const ViewedVariable& variable, std::vector<ViewedVariable>& children) {
  Type* element = array.ElementType();
  const uint32_t count = array.ElementsIn(variable.block.get(), variable.offset);
  if (element == nullptr || count == 0) return;
  const uint32_t slot = element->GetSlotSize();
  children.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    children.push_back(
        SlotChild(ElementName(i, array.Dimensions()), element, variable.block.get(), variable.offset + i * slot));
  }
}

void AddMembers(const AggregateType& structure, const ViewedVariable& variable, const SymbolStore& symbols,
                std::vector<ViewedVariable>& children) {
  for (const Type* declaration : structure.Members()) {
    for (const Node* item : declaration->Items()) {
      if (item->TypeId() != TYPE_TOKEN) continue;
      const auto* member = static_cast<const Variable*>(item);
      if (member->GetType() == nullptr) continue;
      children.push_back(SlotChild(symbols.Symbol(member->Position().symbol), member->GetType(),
                                   variable.block.get(), variable.offset + member->MemberOffset()));
    }
  }
}

}  // namespace

bool IsExpandable(const Type* type) {
  if (type == nullptr) return false;
  const uint32_t kind = type->GetKind();
  return kind == KIND_AGGREGATE || kind == KIND_ARRAY || kind == KIND_LIB;
}

std::vector<ViewedVariable> ExpandVariable(const ViewedVariable& variable, const SymbolStore& symbols) {
  std::vector<ViewedVariable> children;
  if (variable.type == nullptr || variable.block == nullptr) return children;
  if (variable.type->TypeId() == TYPE_ARRAY) {
    AddElements(static_cast<const ArrayType&>(*variable.type), variable, children);
  } else if (const auto* structure = dynamic_cast<const AggregateType*>(variable.type)) {
    // Structures and error types; a library's functions are not listed yet.
    if (variable.type->GetKind() == KIND_AGGREGATE) AddMembers(*structure, variable, symbols, children);
  }
  return children;
}

}  // namespace script
