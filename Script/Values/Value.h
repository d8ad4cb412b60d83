#pragma once
// The holder through which node execution passes data: a type, that type's
// kind code and the storage.
//
// Storage is either a counted MemoryBlockRef into a heap block, or, for a
// scalar (bool, number, function reference) that belongs to no variable, the
// value's own inline bytes: temporaries such as the result of `a + b` need no
// heap block. Ref() is null for an inline value; Materialize() moves the bytes
// into a block of their own when a reference is needed (binding a slot).
#include <cstdint>
#include <string>
#include <type_traits>

#include "Script/Values/ScalarConversion.h"
#include "Script/Values/ValueKind.h"

namespace script {

class Memory;
class MemoryBlockRef;
class Type;

class Value final {
 public:
  Value() = default;
  // A value over existing storage; the reference gains a count.
  Value(MemoryBlockRef* ref, Type* type);
  Value(const Value& other);
  Value(Value&& other) noexcept;
  Value& operator=(const Value& other);
  Value& operator=(Value&& other) noexcept;
  ~Value();

  Type* GetType() const { return type_; }
  uint32_t Kind() const { return kind_; }
  // The storage handle; null without storage and for an inline scalar.
  MemoryBlockRef* Ref() const { return ref_; }
  bool IsInline() const { return inline_; }
  bool HasStorage() const { return inline_ || ref_ != nullptr; }

  // Back to an empty value: no type, KIND_NONE, no storage.
  void Reset();
  // Refers to other storage; the new reference gains a count, the old is released.
  void SetRef(MemoryBlockRef* ref, Type* type);
  // As SetRef, taking over the caller's count.
  void AdoptRef(MemoryBlockRef* ref, Type* type);

  // A value without storage takes the type, its kind and new zeroed storage of
  // the type's size: inline for a scalar, else an owned block of the heap
  // (none without a heap).
  void EnsureStorage(Type* type, Memory* heap);
  // Gives an inline scalar (or a typed value without storage) an owned block of
  // its own in the heap, holding the same bytes; returns the reference (null
  // without a type or without memory).
  MemoryBlockRef* Materialize(Memory& heap);

  // The storage: the inline bytes, or block data + offset; null without
  // storage. For a string this is the string object.
  uint8_t* StoragePointer() const;
  // As StoragePointer, but the characters for a string.
  uint8_t* DataPointer() const;
  // The string object of a KIND_STRING value with storage, else null.
  std::string* StringObject() const;

  // Setters: the old storage is released and the value becomes a fresh
  // temporary of the built-in type.
  void SetBool(bool value);
  void SetI8(int8_t value);
  void SetUI8(uint8_t value);
  void SetI16(int16_t value);
  void SetUI16(uint16_t value);
  void SetI32(int32_t value);
  void SetUI32(uint32_t value);
  void SetI64(int64_t value);
  void SetUI64(uint64_t value);
  void SetFloat(float value);
  void SetDouble(double value);
  // A scalar of any scalar-kind type (a function reference type, say) from
  // ScalarWidth(kind) bytes.
  void SetScalar(Type* type, const void* bytes);
  // A string in a new block of the heap holding the characters; nothing
  // happens for a null pointer.
  void SetString(Memory& heap, const char* characters, std::size_t length);
  void SetString(Memory& heap, std::string&& text);

  // Reads the value as a scalar of the target kind into `target`
  // (ScalarWidth(targetKind) bytes): integers extend and cut, floating point
  // goes toward zero for integers, bool reads by ToBool, strings parse as
  // base-10 numbers (failing with a status), other kinds read 0.
  ConversionStatus ReadScalar(uint32_t targetKind, void* target) const;
  template <typename T>
  ConversionStatus ReadAs(T& target) const;

  bool ToBool() const;
  // Converts the source to this value's kind and stores it; an empty value
  // first takes the source's type, and storage like the source's (inline, or
  // a block of the heap that holds the source). Fails only when a string
  // does not read as the number needed; the value then keeps its old
  // contents.
  ConversionStatus Assign(const Value& source);

  std::string ToText() const;
  // "0x" and two lower-case hex digits per byte (binary: eight digits per byte,
  // no prefix), most significant first, for bool, integer and function
  // reference values; "<null>" without a type and for a null function
  // reference. False for the other kinds: the caller shows ToText instead.
  bool ToHexText(std::string& text) const;
  bool ToBinaryText(std::string& text) const;

 private:
  // The heap of the block the value's storage lies in; null for an inline
  // value or without storage.
  Memory* StorageHeap() const;
  // The storage when it holds `width` bytes, else null.
  uint8_t* ScalarStorage(uint32_t width) const;
  void BecomeInline(Type* type);
  void SetBuiltIn(int32_t typeId, const void* bytes);
  // The bytes of a string or array source a string is assigned from.
  std::string SourceText(const Value& source) const;
  void AssignToArray(const Value& source);
  void CopyAggregate(const Value& source);
  // The bytes an array's storage spans: the type's slot size or, without
  // fixed dimensions, up to the end of the block.
  uint32_t ArraySpan() const;
  bool FormatDigits(std::string& text, bool hex) const;

  Type* type_ = nullptr;
  MemoryBlockRef* ref_ = nullptr;
  uint32_t kind_ = KIND_NONE;
  bool inline_ = false;
  alignas(8) mutable uint8_t scalar_[8] = {};  // an inline scalar
};

template <typename T>
struct ScalarKindOf;
template <> struct ScalarKindOf<bool> { static constexpr uint32_t kind = KIND_BOOL; };
template <> struct ScalarKindOf<int8_t> { static constexpr uint32_t kind = KIND_I8; };
template <> struct ScalarKindOf<uint8_t> { static constexpr uint32_t kind = KIND_UI8; };
template <> struct ScalarKindOf<int16_t> { static constexpr uint32_t kind = KIND_I16; };
template <> struct ScalarKindOf<uint16_t> { static constexpr uint32_t kind = KIND_UI16; };
template <> struct ScalarKindOf<int32_t> { static constexpr uint32_t kind = KIND_I32; };
template <> struct ScalarKindOf<uint32_t> { static constexpr uint32_t kind = KIND_UI32; };
template <> struct ScalarKindOf<int64_t> { static constexpr uint32_t kind = KIND_I64; };
template <> struct ScalarKindOf<uint64_t> { static constexpr uint32_t kind = KIND_UI64; };
template <> struct ScalarKindOf<float> { static constexpr uint32_t kind = KIND_FLOAT; };
template <> struct ScalarKindOf<double> { static constexpr uint32_t kind = KIND_DOUBLE; };

template <typename T>
ConversionStatus Value::ReadAs(T& target) const {
  if constexpr (std::is_same_v<T, bool>) {
    target = ToBool();
    return CONVERSION_OK;
  } else {
    return ReadScalar(ScalarKindOf<T>::kind, &target);
  }
}

}  // namespace script
