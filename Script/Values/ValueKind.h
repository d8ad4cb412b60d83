#pragma once
// Kind codes of values; every type reports one (Type::GetKind).
#include <cstdint>

namespace script {

enum ValueKind : uint32_t {
  KIND_NONE = 0,  // no type yet
  KIND_BOOL = 1,
  KIND_STRING = 2,
  KIND_FUNCTION_REF = 3,
  KIND_LIB = 4,
  KIND_I8 = 0x1005,
  KIND_UI8 = 0x1006,
  KIND_I16 = 0x1007,
  KIND_UI16 = 0x1008,
  KIND_I32 = 0x1009,
  KIND_UI32 = 0x100A,
  KIND_I64 = 0x100B,
  KIND_UI64 = 0x100C,
  KIND_FLOAT = 0x300D,
  KIND_DOUBLE = 0x300E,
  KIND_AGGREGATE = 0x4000,  // structures and error types
  KIND_ARRAY = 0x8000,
};

inline constexpr uint32_t KIND_NUMERIC_FLAG = 0x1000;
inline constexpr uint32_t KIND_FLOATING_FLAG = 0x2000;

constexpr bool IsNumericKind(uint32_t kind) { return (kind & KIND_NUMERIC_FLAG) != 0; }
constexpr bool IsFloatingKind(uint32_t kind) { return (kind & KIND_FLOATING_FLAG) != 0; }
constexpr bool IsIntegerKind(uint32_t kind) { return IsNumericKind(kind) && !IsFloatingKind(kind); }
constexpr bool IsSignedKind(uint32_t kind) {
  return kind == KIND_I8 || kind == KIND_I16 || kind == KIND_I32 || kind == KIND_I64;
}

// Bytes of a scalar value (bool, numbers, function references; an address is
// pointer-sized); 0 for the kinds that are no scalars.
constexpr uint32_t ScalarWidth(uint32_t kind) {
  // The integer kinds run from I8 to UI64 in pairs of widths 1, 2, 4 and 8.
  if (kind - KIND_I8 <= KIND_UI64 - KIND_I8) return 1u << ((kind - KIND_I8) >> 1);
  switch (kind) {
    case KIND_BOOL:
      return 1;
    case KIND_FLOAT:
      return 4;
    case KIND_DOUBLE:
      return 8;
    case KIND_FUNCTION_REF:
      return sizeof(void*);
    default:
      return 0;
  }
}
constexpr bool IsScalarKind(uint32_t kind) { return ScalarWidth(kind) != 0; }

}  // namespace script
