#include "Script/Values/ValueOperations.h"

#include <cstring>
#include <functional>
#include <type_traits>

namespace script {
namespace {

template <typename T>
constexpr bool kIsBool = std::is_same_v<T, bool>;
template <typename T>
constexpr bool kIsReal = std::is_floating_point_v<T>;
template <typename T>
constexpr bool kIsInteger = std::is_integral_v<T> && !kIsBool<T>;
template <typename T>
constexpr bool kIsSignedInteger = kIsInteger<T> && std::is_signed_v<T>;

// The unsigned type in which integers of T wrap around without being
// promoted to a signed int first.
template <typename T>
using Wide = std::conditional_t<(sizeof(T) < sizeof(uint32_t)), uint32_t, std::make_unsigned_t<T>>;

template <typename T>
T Load(const uint8_t* bytes) {
  if constexpr (kIsBool<T>) {
    return *bytes != 0;
  } else {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }
}

template <typename T>
void Store(uint8_t* bytes, T value) {
  std::memcpy(bytes, &value, sizeof value);
}

// Reads the target as T and the source converted to T, and lets the kernel
// compute; a kernel that returns OPERATION_OK has updated the target.
template <class Kernel, typename T>
uint32_t ApplyAs(Value& target, const Value& source) {
  uint8_t* storage = target.DataPointer();
  if (storage == nullptr) return OPERATION_UNSUPPORTED;
  T right{};
  if (source.ReadAs(right) != CONVERSION_OK) return OPERATION_CONVERSION_FAILED;
  T left = Load<T>(storage);
  const uint32_t status = Kernel::Apply(left, right);
  if (status == OPERATION_OK) Store(storage, left);
  return status;
}

template <class Kernel>
uint32_t Dispatch(Value& target, const Value& source) {
  switch (target.Kind()) {
    case KIND_BOOL:
      return ApplyAs<Kernel, bool>(target, source);
    case KIND_I8:
      return ApplyAs<Kernel, int8_t>(target, source);
    case KIND_UI8:
      return ApplyAs<Kernel, uint8_t>(target, source);
    case KIND_I16:
      return ApplyAs<Kernel, int16_t>(target, source);
    case KIND_UI16:
      return ApplyAs<Kernel, uint16_t>(target, source);
    case KIND_I32:
      return ApplyAs<Kernel, int32_t>(target, source);
    case KIND_UI32:
      return ApplyAs<Kernel, uint32_t>(target, source);
    case KIND_I64:
      return ApplyAs<Kernel, int64_t>(target, source);
    case KIND_UI64:
      return ApplyAs<Kernel, uint64_t>(target, source);
    case KIND_FLOAT:
      return ApplyAs<Kernel, float>(target, source);
    case KIND_DOUBLE:
      return ApplyAs<Kernel, double>(target, source);
    default:
      return OPERATION_UNSUPPORTED;
  }
}

constexpr bool IsArithmeticKind(uint32_t kind) { return kind == KIND_BOOL || IsNumericKind(kind); }

// Every operation but add, the logical ones and bitwise not takes numbers and
// bools only.
template <class Kernel>
uint32_t OnNumbers(Value& target, const Value& source) {
  if (!IsArithmeticKind(target.Kind()) || !IsArithmeticKind(source.Kind())) return OPERATION_UNSUPPORTED;
  return Dispatch<Kernel>(target, source);
}

// ---- kernels: Apply(target, source) on one type

// Addition, subtraction, multiplication: wrap-around or IEEE.
template <class Op>
struct Arithmetic {
  template <typename T>
  static uint32_t Apply(T& a, T b) {
    if constexpr (kIsBool<T>) {
      return OPERATION_UNSUPPORTED;
    } else if constexpr (kIsReal<T>) {
      a = Op{}(a, b);
    } else {
      a = static_cast<T>(Op{}(static_cast<Wide<T>>(a), static_cast<Wide<T>>(b)));
    }
    return OPERATION_OK;
  }
};

struct Division {
  template <typename T>
  static uint32_t Apply(T& a, T b) {
    if constexpr (kIsBool<T>) {
      return OPERATION_UNSUPPORTED;
    } else {
      if (b == 0) return OPERATION_DIVISION_BY_ZERO;
      if constexpr (kIsSignedInteger<T>) {
        // The smallest value / -1 does not fit: negate with wrap-around.
        if (b == -1) {
          a = static_cast<T>(Wide<T>{0} - static_cast<Wide<T>>(a));
          return OPERATION_OK;
        }
      }
      a = static_cast<T>(a / b);
      return OPERATION_OK;
    }
  }
};

struct Remainder {
  template <typename T>
  static uint32_t Apply(T& a, T b) {
    if constexpr (!kIsInteger<T>) {
      return OPERATION_UNSUPPORTED;
    } else {
      if (b == 0) return OPERATION_DIVISION_BY_ZERO;
      if constexpr (kIsSignedInteger<T>) {
        if (b == -1) {
          a = 0;
          return OPERATION_OK;
        }
      }
      a = static_cast<T>(a % b);
      return OPERATION_OK;
    }
  }
};

template <class Op>
struct Bitwise {
  template <typename T>
  static uint32_t Apply(T& a, T b) {
    if constexpr (kIsReal<T>) {
      return OPERATION_UNSUPPORTED;
    } else {
      a = static_cast<T>(Op{}(a, b));
      return OPERATION_OK;
    }
  }
};

struct LeftShift {
  template <typename T>
  static uint32_t Apply(T& a, T count) {
    if constexpr (!kIsInteger<T>) {
      return OPERATION_UNSUPPORTED;
    } else {
      if constexpr (sizeof(T) == 8) {
        const uint64_t by = static_cast<uint64_t>(count) & 0xFF;
        a = by >= 64 ? T{0} : static_cast<T>(static_cast<uint64_t>(a) << by);
      } else {
        a = static_cast<T>(static_cast<uint32_t>(a) << (static_cast<uint32_t>(count) & 31));
      }
      return OPERATION_OK;
    }
  }
};

struct RightShift {
  template <typename T>
  static uint32_t Apply(T& a, T count) {
    if constexpr (!kIsInteger<T>) {
      return OPERATION_UNSUPPORTED;
    } else {
      if constexpr (sizeof(T) == 8) {
        const uint64_t by = static_cast<uint64_t>(count) & 0xFF;
        if (by < 64) {
          a = static_cast<T>(a >> by);
        } else if constexpr (std::is_signed_v<T>) {
          a = a < 0 ? T{-1} : T{0};
        } else {
          a = 0;
        }
      } else {
        const uint32_t by = static_cast<uint32_t>(count) & 31;
        // Widened by the own signedness, so that signed values fill with the sign.
        using Widened = std::conditional_t<std::is_signed_v<T>, int32_t, uint32_t>;
        a = static_cast<T>(static_cast<Widened>(a) >> by);
      }
      return OPERATION_OK;
    }
  }
};

template <class Op>
struct Comparison {
  template <typename T>
  static uint32_t Apply(T& a, T b) {
    return Op{}(a, b) ? OPERATION_TRUE : OPERATION_FALSE;
  }
};

struct Complement {
  template <typename T>
  static uint32_t Apply(T& a, T b) {
    if constexpr (kIsReal<T>) {
      return OPERATION_UNSUPPORTED;
    } else if constexpr (kIsBool<T>) {
      a = !b;
    } else {
      a = static_cast<T>(~b);
    }
    return OPERATION_OK;
  }
};

uint32_t AppendText(Value& target, const Value& source) {
  std::string* text = target.StringObject();
  if (text == nullptr) return OPERATION_UNSUPPORTED;
  if (const std::string* other = source.StringObject()) {
    text->append(*other);
  } else {
    text->append(source.ToText());
  }
  return OPERATION_OK;
}

template <class Op>
uint32_t Logical(Value& target, const Value& source) {
  const uint32_t kind = target.Kind();
  if (kind != KIND_NONE && kind != KIND_STRING && !IsArithmeticKind(kind)) return OPERATION_UNSUPPORTED;
  const bool left = target.ToBool();
  const bool right = source.ToBool();
  target.SetBool(Op{}(left, right));
  return OPERATION_OK;
}

}  // namespace

namespace ops {

uint32_t Add(Value& target, const Value& source) {
  switch (target.Kind()) {
    case KIND_STRING:
      return AppendText(target, source);
    case KIND_NONE:
      target.Assign(source);
      return OPERATION_OK;
    default:
      return Dispatch<Arithmetic<std::plus<>>>(target, source);
  }
}

uint32_t Subtract(Value& target, const Value& source) { return OnNumbers<Arithmetic<std::minus<>>>(target, source); }
uint32_t Multiply(Value& target, const Value& source) {
  return OnNumbers<Arithmetic<std::multiplies<>>>(target, source);
}
uint32_t Divide(Value& target, const Value& source) { return OnNumbers<Division>(target, source); }
uint32_t Modulo(Value& target, const Value& source) { return OnNumbers<Remainder>(target, source); }

uint32_t BitAnd(Value& target, const Value& source) { return OnNumbers<Bitwise<std::bit_and<>>>(target, source); }
uint32_t BitOr(Value& target, const Value& source) { return OnNumbers<Bitwise<std::bit_or<>>>(target, source); }
uint32_t BitXor(Value& target, const Value& source) { return OnNumbers<Bitwise<std::bit_xor<>>>(target, source); }
uint32_t ShiftLeft(Value& target, const Value& source) { return OnNumbers<LeftShift>(target, source); }
uint32_t ShiftRight(Value& target, const Value& source) { return OnNumbers<RightShift>(target, source); }

uint32_t Less(Value& target, const Value& source) { return OnNumbers<Comparison<std::less<>>>(target, source); }
uint32_t LessEqual(Value& target, const Value& source) {
  return OnNumbers<Comparison<std::less_equal<>>>(target, source);
}
uint32_t Greater(Value& target, const Value& source) { return OnNumbers<Comparison<std::greater<>>>(target, source); }
uint32_t GreaterEqual(Value& target, const Value& source) {
  return OnNumbers<Comparison<std::greater_equal<>>>(target, source);
}
uint32_t Equal(Value& target, const Value& source) { return OnNumbers<Comparison<std::equal_to<>>>(target, source); }
uint32_t NotEqual(Value& target, const Value& source) {
  return OnNumbers<Comparison<std::not_equal_to<>>>(target, source);
}

uint32_t LogicalAnd(Value& target, const Value& source) { return Logical<std::logical_and<>>(target, source); }
uint32_t LogicalOr(Value& target, const Value& source) { return Logical<std::logical_or<>>(target, source); }

uint32_t BitNot(Value& target, const Value& source) {
  if (target.Kind() == KIND_NONE) {
    if (!IsArithmeticKind(source.Kind())) return OPERATION_UNSUPPORTED;
    target.EnsureStorage(source.GetType(), nullptr);  // arithmetic: inline
  }
  return Dispatch<Complement>(target, source);
}

}  // namespace ops

std::string OperationErrorMessage(uint32_t status, const Value& target, const Value& source) {
  if (status == OPERATION_DIVISION_BY_ZERO) return "Division by zero";
  if (status == OPERATION_CONVERSION_FAILED && IsScalarKind(target.Kind())) {
    uint8_t scratch[8];
    const ConversionStatus failure = source.ReadScalar(target.Kind(), scratch);
    const std::string* text = source.StringObject();
    return ConversionErrorMessage(failure != CONVERSION_OK ? failure : CONVERSION_NOT_A_NUMBER,
                                  text != nullptr ? std::string_view(*text) : std::string_view(), target.Kind());
  }
  return "Runtime error: " + std::to_string(status);
}

}  // namespace script
