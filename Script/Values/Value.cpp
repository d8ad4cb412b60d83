#include "Script/Values/Value.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"

namespace script {
namespace {

uint32_t KindOf(const Type* type) { return type != nullptr ? type->GetKind() : KIND_NONE; }

const std::string kEmptyText;

}  // namespace

Value::Value(MemoryBlockRef* ref, Type* type) : type_(type), ref_(ref), kind_(KindOf(type)) {
  if (ref_ != nullptr) ref_->AddRef();
}

Value::Value(const Value& other)
    : type_(other.type_), ref_(other.ref_), kind_(other.kind_), inline_(other.inline_) {
  if (ref_ != nullptr) ref_->AddRef();
  std::memcpy(scalar_, other.scalar_, sizeof scalar_);
}

Value::Value(Value&& other) noexcept
    : type_(other.type_), ref_(std::exchange(other.ref_, nullptr)), kind_(other.kind_), inline_(other.inline_) {
  std::memcpy(scalar_, other.scalar_, sizeof scalar_);
  other.Reset();
}

Value& Value::operator=(const Value& other) {
  if (this == &other) return *this;
  if (other.ref_ != nullptr) other.ref_->AddRef();
  if (ref_ != nullptr) ref_->Release();
  type_ = other.type_;
  ref_ = other.ref_;
  kind_ = other.kind_;
  inline_ = other.inline_;
  std::memcpy(scalar_, other.scalar_, sizeof scalar_);
  return *this;
}

Value& Value::operator=(Value&& other) noexcept {
  if (this == &other) return *this;
  if (ref_ != nullptr) ref_->Release();
  type_ = other.type_;
  ref_ = std::exchange(other.ref_, nullptr);
  kind_ = other.kind_;
  inline_ = other.inline_;
  std::memcpy(scalar_, other.scalar_, sizeof scalar_);
  other.Reset();
  return *this;
}

Value::~Value() {
  if (ref_ != nullptr) ref_->Release();
}

void Value::Reset() { AdoptRef(nullptr, nullptr); }

void Value::SetRef(MemoryBlockRef* ref, Type* type) {
  if (ref != nullptr) ref->AddRef();
  AdoptRef(ref, type);
}

void Value::AdoptRef(MemoryBlockRef* ref, Type* type) {
  MemoryBlockRef* old = std::exchange(ref_, ref);
  type_ = type;
  kind_ = KindOf(type);
  inline_ = false;
  if (old != nullptr) old->Release();
}

void Value::EnsureStorage(Type* type, Memory* heap) {
  if (HasStorage() || type == nullptr) return;
  if (IsScalarKind(type->GetKind())) {
    BecomeInline(type);
    return;
  }
  AdoptRef(heap != nullptr ? heap->NewOwnedRef(type, type->GetSize()) : nullptr, type);
}

MemoryBlockRef* Value::Materialize(Memory& heap) {
  if (ref_ != nullptr || type_ == nullptr) return ref_;
  const uint32_t size = type_->GetSize();
  MemoryBlockRef* ref = heap.NewOwnedRef(type_, size);
  if (ref == nullptr) return nullptr;
  if (inline_ && ref->Block() != nullptr) std::memcpy(ref->Data(), scalar_, std::min(size, ScalarWidth(kind_)));
  AdoptRef(ref, type_);
  return ref_;
}

uint8_t* Value::StoragePointer() const {
  if (inline_) return scalar_;
  return ref_ != nullptr ? ref_->Data() : nullptr;
}

uint8_t* Value::DataPointer() const {
  if (kind_ != KIND_STRING) return StoragePointer();
  std::string* text = StringObject();
  return text != nullptr ? reinterpret_cast<uint8_t*>(text->data()) : nullptr;
}

std::string* Value::StringObject() const {
  if (kind_ != KIND_STRING || ref_ == nullptr) return nullptr;
  MemoryBlock* block = ref_->Block();
  if (block == nullptr || block->IsForeign() || !SlotFits(block, ref_->Offset(), sizeof(std::string))) return nullptr;
  return reinterpret_cast<std::string*>(ref_->Data());
}

Memory* Value::StorageHeap() const {
  return ref_ != nullptr && ref_->Block() != nullptr ? ref_->Block()->Heap() : nullptr;
}

uint8_t* Value::ScalarStorage(uint32_t width) const {
  if (inline_) return scalar_;
  if (ref_ == nullptr || !SlotFits(ref_->Block(), ref_->Offset(), width)) return nullptr;
  return ref_->Data();
}

// ---- setters

void Value::BecomeInline(Type* type) {
  AdoptRef(nullptr, type);
  inline_ = true;
  std::memset(scalar_, 0, sizeof scalar_);
}

void Value::SetScalar(Type* type, const void* bytes) {
  BecomeInline(type);
  std::memcpy(scalar_, bytes, ScalarWidth(kind_));
}

void Value::SetBuiltIn(int32_t typeId, const void* bytes) { SetScalar(BuiltInType(typeId), bytes); }

void Value::SetBool(bool value) {
  const uint8_t byte = value ? 1 : 0;
  SetBuiltIn(TYPE_BOOL, &byte);
}
void Value::SetI8(int8_t value) { SetBuiltIn(TYPE_I8, &value); }
void Value::SetUI8(uint8_t value) { SetBuiltIn(TYPE_UI8, &value); }
void Value::SetI16(int16_t value) { SetBuiltIn(TYPE_I16, &value); }
void Value::SetUI16(uint16_t value) { SetBuiltIn(TYPE_UI16, &value); }
void Value::SetI32(int32_t value) { SetBuiltIn(TYPE_I32, &value); }
void Value::SetUI32(uint32_t value) { SetBuiltIn(TYPE_UI32, &value); }
void Value::SetI64(int64_t value) { SetBuiltIn(TYPE_I64, &value); }
void Value::SetUI64(uint64_t value) { SetBuiltIn(TYPE_UI64, &value); }
void Value::SetFloat(float value) { SetBuiltIn(TYPE_FLOAT, &value); }
void Value::SetDouble(double value) { SetBuiltIn(TYPE_DOUBLE, &value); }

void Value::SetString(Memory& heap, const char* characters, std::size_t length) {
  if (characters == nullptr) return;
  SetString(heap, std::string(characters, length));
}

void Value::SetString(Memory& heap, std::string&& text) {
  Type* type = BuiltInType(TYPE_STRING);
  AdoptRef(heap.NewOwnedRef(type, type->GetSize()), type);
  if (std::string* storage = StringObject()) *storage = std::move(text);
}

// ---- reading

ConversionStatus Value::ReadScalar(uint32_t targetKind, void* target) const {
  const uint32_t width = ScalarWidth(targetKind);
  if (targetKind == KIND_BOOL) {
    const uint8_t truth = ToBool() ? 1 : 0;
    std::memcpy(target, &truth, 1);
    return CONVERSION_OK;
  }
  if (kind_ == targetKind && inline_) {
    std::memcpy(target, scalar_, width);  // the common case: a temporary of the same kind
    return CONVERSION_OK;
  }
  if (kind_ == KIND_STRING) {
    const std::string* text = StringObject();
    return ParseNumber(text != nullptr ? *text : kEmptyText, targetKind, target);
  }
  std::memset(target, 0, width);
  if (IsScalarKind(kind_)) {
    if (const uint8_t* storage = ScalarStorage(ScalarWidth(kind_))) ConvertScalar(kind_, storage, targetKind, target);
  } else if (kind_ == KIND_NONE && ref_ != nullptr && ref_->Block() != nullptr) {
    // Untyped storage: its leading bytes, as many as it holds.
    const MemoryBlock* block = ref_->Block();
    uint64_t bits = 0;
    const uint32_t available = ref_->Offset() < block->Size() ? block->Size() - ref_->Offset() : 0;
    std::memcpy(&bits, ref_->Data(), std::min<uint32_t>(available, sizeof bits));
    ConvertScalar(KIND_UI64, &bits, targetKind, target);
  }
  return CONVERSION_OK;
}

bool Value::ToBool() const {
  if (kind_ == KIND_STRING) {
    const std::string* text = StringObject();
    return text != nullptr && StringToBool(*text);
  }
  if (!IsScalarKind(kind_)) return false;
  const uint8_t* storage = ScalarStorage(ScalarWidth(kind_));
  return storage != nullptr && ScalarToBool(kind_, storage);
}

// ---- assignment

ConversionStatus Value::Assign(const Value& source) {
  if (kind_ == KIND_NONE) {
    if (source.type_ == nullptr) return CONVERSION_OK;
    type_ = source.type_;
    kind_ = source.kind_;
  }
  EnsureStorage(type_, source.StorageHeap());
  if (IsScalarKind(kind_)) {
    const uint32_t width = ScalarWidth(kind_);
    uint8_t converted[8];
    const ConversionStatus status = source.ReadScalar(kind_, converted);
    if (status != CONVERSION_OK) return status;
    if (uint8_t* storage = ScalarStorage(width)) std::memcpy(storage, converted, width);
    return CONVERSION_OK;
  }
  switch (kind_) {
    case KIND_STRING:
      if (std::string* text = StringObject()) *text = SourceText(source);
      break;
    case KIND_ARRAY:
      if (source.kind_ == KIND_STRING) {
        AssignToArray(source);
      } else if (source.kind_ == KIND_ARRAY) {
        CopyAggregate(source);
      }
      break;
    case KIND_AGGREGATE:
      if (source.kind_ == KIND_AGGREGATE) CopyAggregate(source);
      break;
    default:
      break;
  }
  return CONVERSION_OK;
}

std::string Value::SourceText(const Value& source) const {
  if (source.kind_ == KIND_STRING) {
    const std::string* text = source.StringObject();
    return text != nullptr ? *text : std::string();
  }
  if (source.kind_ != KIND_ARRAY) return source.ToText();
  // The array's bytes up to the first NUL.
  const auto* bytes = reinterpret_cast<const char*>(source.StoragePointer());
  if (bytes == nullptr) return std::string();
  return std::string(bytes, strnlen(bytes, source.ArraySpan()));
}

void Value::AssignToArray(const Value& source) {
  uint8_t* target = StoragePointer();
  if (target == nullptr) return;
  const std::string* text = source.StringObject();
  const std::size_t length = text != nullptr ? text->size() : 0;
  const uint32_t span = ArraySpan();
  const std::size_t copied = std::min<std::size_t>(length + 1, span);
  std::memcpy(target, text != nullptr ? text->c_str() : "", copied);
  const uint32_t slotSize = type_->GetSlotSize();
  if (slotSize != 0 && length + 1 < slotSize && copied < span) target[copied] = 0;
}

void Value::CopyAggregate(const Value& source) {
  Memory* heap = StorageHeap();
  Value from(source);
  from.EnsureStorage(source.type_, heap);
  if (heap == nullptr || from.ref_ == nullptr) return;
  type_->CopyValue(*heap, ref_->Block(), ref_->Offset(), from.ref_->Block(), from.ref_->Offset());
}

uint32_t Value::ArraySpan() const {
  if (ref_ == nullptr || ref_->Block() == nullptr) return 0;
  const MemoryBlock* block = ref_->Block();
  const uint32_t available = ref_->Offset() < block->Size() ? block->Size() - ref_->Offset() : 0;
  const uint32_t slotSize = type_ != nullptr ? type_->GetSlotSize() : 0;
  return slotSize != 0 ? std::min(slotSize, available) : available;
}

// ---- text forms

std::string Value::ToText() const {
  switch (kind_) {
    case KIND_BOOL:
      return ToBool() ? "true" : "false";
    case KIND_STRING: {
      const std::string* text = StringObject();
      return text != nullptr ? *text : std::string();
    }
    case KIND_FLOAT:
    case KIND_DOUBLE: {
      double number = 0;
      ReadScalar(KIND_DOUBLE, &number);
      char text[32];
      std::snprintf(text, sizeof text, "%g", number);
      return text;
    }
    default:
      break;
  }
  if (!IsIntegerKind(kind_)) return "0";
  if (IsSignedKind(kind_)) {
    int64_t number = 0;
    ReadScalar(KIND_I64, &number);
    return std::to_string(number);
  }
  uint64_t number = 0;
  ReadScalar(KIND_UI64, &number);
  return std::to_string(number);
}

bool Value::FormatDigits(std::string& text, bool hex) const {
  if (type_ == nullptr) {
    text = "<null>";
    return true;
  }
  if (kind_ != KIND_BOOL && kind_ != KIND_FUNCTION_REF && !IsIntegerKind(kind_)) return false;
  const uint32_t width = ScalarWidth(kind_);
  uint64_t bits = 0;
  if (const uint8_t* storage = ScalarStorage(width)) std::memcpy(&bits, storage, width);
  if (kind_ == KIND_FUNCTION_REF && bits == 0) {
    text = "<null>";
    return true;
  }
  const uint32_t bitsPerDigit = hex ? 4 : 1;
  text = hex ? "0x" : "";
  for (int shift = static_cast<int>(width * 8 - bitsPerDigit); shift >= 0; shift -= static_cast<int>(bitsPerDigit)) {
    text += "0123456789abcdef"[(bits >> shift) & ((1u << bitsPerDigit) - 1)];
  }
  return true;
}

bool Value::ToHexText(std::string& text) const { return FormatDigits(text, true); }

bool Value::ToBinaryText(std::string& text) const { return FormatDigits(text, false); }

}  // namespace script
