#include "Script/Expressions/BuiltIns/TextConversions.h"

#include <cstring>
#include <limits>

#include "Script/Expressions/BuiltIns/WideText.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Variables/Reference.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {
namespace {

// "array<ELEMENT>@": a reference to an array of the element type without
// fixed dimensions.
Type* ArrayReference(int32_t elementTypeId) {
  auto* array = new ArrayType(SourcePosition{}, nullptr);
  array->SetElementType(BuiltInType(elementTypeId));
  array->SetLeft(new Reference(SourcePosition{}, array));
  return array;
}

// "string@".
Type* StringReference() {
  auto* text = new Type(TYPE_STRING, SourcePosition{}, nullptr);
  text->SetLeft(new Reference(SourcePosition{}, text));
  return text;
}

}  // namespace

// ---- arrays to strings

Arr2Str::Arr2Str(int32_t typeId, const SourcePosition& position, Node* parent, int32_t elementTypeId)
    : BuiltIn1Arg(typeId, position, parent, StringReference(), ArrayReference(elementTypeId)) {}

uint32_t Arr2Str::Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) {
  const MemoryBlockRef* storage = argument.Ref();
  const uint8_t* address = storage->Data();
  uint32_t count = 0;
  if (address != nullptr && argument.GetType()->TypeId() == TYPE_ARRAY) {
    count = static_cast<const ArrayType*>(argument.GetType())->ElementsIn(storage->Block(), storage->Offset());
  }
  result.SetString(*context->heap, address != nullptr ? Convert(address, count) : std::string());
  if (result.StringObject() == nullptr) return ReportRuntimeError(context, site, "Out of memory.");
  return RUN_OK;
}

std::string Arr2Str::Convert(const uint8_t* address, uint32_t count) const {
  const auto* characters = reinterpret_cast<const char*>(address);
  const void* end = std::memchr(characters, 0, count);
  return std::string(characters, end != nullptr ? static_cast<const char*>(end) - characters : count);
}

std::string WArr2Str::Convert(const uint8_t* address, uint32_t count) const {
  std::u16string units;
  for (uint32_t i = 0; i < count; ++i) {
    char16_t unit = 0;
    std::memcpy(&unit, address + i * sizeof unit, sizeof unit);
    if (unit == 0) break;
    units += unit;
  }
  return Utf16ToUtf8(units.data(), units.size());
}

// ---- strings to arrays

Str2Arr::Str2Arr(int32_t typeId, const SourcePosition& position, Node* parent, int32_t elementTypeId)
    : BuiltIn1Arg(typeId, position, parent, ArrayReference(elementTypeId), StringReference()) {}

uint32_t Str2Arr::Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) {
  const std::string* text = argument.StringObject();
  const std::string bytes = Convert(text != nullptr ? *text : std::string());
  Type* type = GetReturnType();
  MemoryBlockRef* array = bytes.size() <= std::numeric_limits<uint32_t>::max()
                              ? context->heap->NewOwnedRef(type, static_cast<uint32_t>(bytes.size()))
                              : nullptr;
  if (array == nullptr || array->Block() == nullptr) {
    if (array != nullptr) array->Release();
    return ReportRuntimeError(context, site, "Out of memory.");
  }
  std::memcpy(array->Data(), bytes.data(), bytes.size());
  result.AdoptRef(array, type);
  return RUN_OK;
}

std::string Str2Arr::Convert(const std::string& text) const { return std::string(text.c_str(), text.size() + 1); }

std::string Str2WArr::Convert(const std::string& text) const {
  const std::u16string units = Utf8ToUtf16(text);
  return std::string(reinterpret_cast<const char*>(units.c_str()), (units.size() + 1) * sizeof(char16_t));
}

}  // namespace script
