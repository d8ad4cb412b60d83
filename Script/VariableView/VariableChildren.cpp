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

// The structure whose members a variable shows, or null: structures and
// error types; a library's functions are not listed yet.
const AggregateType* ShownStructure(const ViewedVariable& variable) {
  if (variable.type->GetKind() != KIND_AGGREGATE) return nullptr;
  return dynamic_cast<const AggregateType*>(variable.type);
}

}  // namespace

bool IsExpandable(const Type* type) {
  if (type == nullptr) return false;
  const uint32_t kind = type->GetKind();
  return kind == KIND_AGGREGATE || kind == KIND_ARRAY || kind == KIND_LIB;
}

std::size_t ChildCount(const ViewedVariable& variable) {
  if (variable.type == nullptr || variable.block == nullptr) return 0;
  if (variable.type->TypeId() == TYPE_ARRAY) {
    const auto& array = static_cast<const ArrayType&>(*variable.type);
    return array.ElementType() != nullptr ? array.ElementsIn(variable.block.get(), variable.offset) : 0;
  }
  const AggregateType* structure = ShownStructure(variable);
  return structure != nullptr ? structure->MemberVariables().size() : 0;
}

ViewedVariable ChildAt(const ViewedVariable& variable, std::size_t index, const SymbolStore& symbols) {
  if (variable.type->TypeId() == TYPE_ARRAY) {
    const auto& array = static_cast<const ArrayType&>(*variable.type);
    Type* element = array.ElementType();
    const auto at = static_cast<uint32_t>(index);
    return SlotChild(ElementName(at, array.Dimensions()), element, variable.block.get(),
                     variable.offset + at * element->GetSlotSize());
  }
  const Variable& member = *ShownStructure(variable)->MemberVariables()[index];
  return SlotChild(symbols.Symbol(member.Position().symbol), member.GetType(), variable.block.get(),
                   variable.offset + member.MemberOffset());
}

}  // namespace script
