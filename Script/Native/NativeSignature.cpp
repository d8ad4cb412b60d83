#include "Script/Native/NativeSignature.h"

#include <algorithm>
#include <string>

#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Values/ValueKind.h"

namespace script {

namespace {

// More elements than this in one array inside a structure are refused:
// libffi describes each element separately.
constexpr uint32_t kMaxArrayElements = 1u << 16;

ffi_type* ScalarType(uint32_t kind) {
  switch (kind) {
    case KIND_BOOL:
    case KIND_UI8:
      return &ffi_type_uint8;
    case KIND_I8:
      return &ffi_type_sint8;
    case KIND_I16:
      return &ffi_type_sint16;
    case KIND_UI16:
      return &ffi_type_uint16;
    case KIND_I32:
      return &ffi_type_sint32;
    case KIND_UI32:
      return &ffi_type_uint32;
    case KIND_I64:
      return &ffi_type_sint64;
    case KIND_UI64:
      return &ffi_type_uint64;
    case KIND_FLOAT:
      return &ffi_type_float;
    case KIND_DOUBLE:
      return &ffi_type_double;
    case KIND_FUNCTION_REF:
      return &ffi_type_pointer;
    default:
      return nullptr;
  }
}

}  // namespace

bool NativeSignature::Prepare(const FunctionRefType& prototype) {
  std::call_once(prepared_, [&] { ready_ = Build(prototype); });
  return ready_;
}

std::size_t NativeSignature::ReturnBufferSize() const {
  return std::max<std::size_t>(sizeof(ffi_arg), cif_.rtype != nullptr ? cif_.rtype->size : 0);
}

bool NativeSignature::Build(const FunctionRefType& prototype) {
  const std::vector<FunctionRefEntry>& entries = prototype.Entries();
  if (entries.empty() || entries.front().type == nullptr) return false;
  ffi_type* returned = ValueType(entries.front().type);
  if (returned == nullptr) return false;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    ffi_type* argument = entries[i].type != nullptr ? ValueType(entries[i].type) : nullptr;
    if (argument == nullptr) return false;
    arguments_.push_back(argument);
  }
  if (ffi_prep_cif(&cif_, FFI_DEFAULT_ABI, static_cast<unsigned>(arguments_.size()), returned, arguments_.data()) !=
      FFI_OK) {
    return false;
  }
  // libffi lays composites out by the C rules, as the engine does; refuse a
  // signature on which the two disagree rather than pass wrong bytes.
  return std::all_of(composites_.begin(), composites_.end(), [](const std::unique_ptr<Composite>& composite) {
    return composite->described == nullptr || composite->type.size == composite->described->GetSize();
  });
}

ffi_type* NativeSignature::ValueType(const Type* type) {
  const uint32_t kind = type->GetKind();
  // Structures and arrays holding strings or references keep engine
  // objects in their bytes, which native code must neither read nor write.
  if ((kind == KIND_AGGREGATE || kind == KIND_ARRAY) && !type->IsPlainData()) return nullptr;
  if (type->ReferenceMode() != 0 || kind == KIND_STRING) return &ffi_type_pointer;
  // Arrays and libraries are never passed by value.
  return kind == KIND_AGGREGATE ? CompositeType(type) : ScalarType(kind);
}

ffi_type* NativeSignature::SlotType(const Type* type) {
  if (type->IsReferenceSlot()) return &ffi_type_pointer;
  const uint32_t kind = type->GetKind();
  if (kind == KIND_AGGREGATE || kind == KIND_ARRAY || kind == KIND_STRING) return CompositeType(type);
  return ScalarType(kind);
}

ffi_type* NativeSignature::CompositeType(const Type* type) {
  auto composite = std::make_unique<Composite>();
  if (type->GetKind() == KIND_STRING) {
    // The string object's bytes, as they lie in the structure.
    composite->elements.insert(composite->elements.end(), type->GetSize() / sizeof(uint64_t), &ffi_type_uint64);
  } else if (!AppendMembers(type, composite->elements)) {
    return nullptr;
  }
  if (composite->elements.empty()) return nullptr;
  composite->elements.push_back(nullptr);
  composite->type.type = FFI_TYPE_STRUCT;
  composite->type.elements = composite->elements.data();
  composite->described = type;
  composites_.push_back(std::move(composite));
  return &composites_.back()->type;
}

bool NativeSignature::AppendMembers(const Type* type, std::vector<ffi_type*>& elements) {
  if (type->GetKind() == KIND_ARRAY) {
    const auto* array = static_cast<const ArrayType*>(type);
    const uint32_t count = array->ElementCount();
    if (array->ElementType() == nullptr || count == 0 || count > kMaxArrayElements) return false;
    ffi_type* element = SlotType(array->ElementType());
    if (element == nullptr) return false;
    elements.insert(elements.end(), count, element);
    return true;
  }
  const auto* structure = static_cast<const AggregateType*>(type);
  for (const Type* member : structure->Members()) {
    for (const Node* item : member->Items()) {
      if (item->TypeId() != TYPE_TOKEN) continue;
      ffi_type* slot = SlotType(member);
      if (slot == nullptr) return false;
      elements.push_back(slot);
    }
  }
  return true;
}

}  // namespace script
