#include "Script/VariableView/VariableChildren.h"

#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/ValueKind.h"

namespace script {

namespace {

// The child held by the slot at block data + offset: the slot itself, or
// for a reference slot the object its address points at.
ViewedVariable SlotChild(std::string name, Type* type, const ViewedVariable& parent, uint32_t offset) {
  MemoryBlock* block = parent.block.get();
  ViewedVariable child{std::move(name), type, nullptr, 0, parent.symbols};
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
std::string ElementName(std::size_t index, const std::vector<uint32_t>& dimensions) {
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

const ArrayType* AsArray(const ViewedVariable& variable) {
  return variable.type->TypeId() == TYPE_ARRAY ? static_cast<const ArrayType*>(variable.type) : nullptr;
}

// Structures and error types; a library's functions are not listed.
const AggregateType* AsStructure(const ViewedVariable& variable) {
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
  if (const ArrayType* array = AsArray(variable)) {
    return array->ElementType() != nullptr ? array->ElementsIn(variable.block.get(), variable.offset) : 0;
  }
  if (const AggregateType* structure = AsStructure(variable)) return structure->MemberVariables().size();
  return 0;
}

ViewedVariable ChildAt(const ViewedVariable& variable, std::size_t index) {
  if (const ArrayType* array = AsArray(variable)) {
    Type* element = array->ElementType();
    const uint32_t at = variable.offset + static_cast<uint32_t>(index) * element->GetSlotSize();
    return SlotChild(ElementName(index, array->Dimensions()), element, variable, at);
  }
  const Variable* member = AsStructure(variable)->MemberVariables()[index];
  std::string name = variable.symbols != nullptr ? variable.symbols->Symbol(member->Position().symbol) : "";
  return SlotChild(std::move(name), member->GetType(), variable, variable.offset + member->MemberOffset());
}

}  // namespace script
