#include "Script/Values/ScalarConversion.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "Script/Values/ValueKind.h"

namespace script {
namespace {

// A scalar on its way between two kinds.
struct Scalar {
  bool floating = false;
  bool isUnsigned = false;
  uint64_t integer = 0;  // two's complement, extended to 64 bits
  double real = 0;
};

template <typename T>
T Load(const void* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

template <typename T>
void Store(void* bytes, T value) {
  std::memcpy(bytes, &value, sizeof value);
}

Scalar Decode(uint32_t kind, const void* bytes) {
  Scalar scalar;
  switch (kind) {
    case KIND_BOOL:
      scalar.integer = Load<uint8_t>(bytes) != 0 ? 1 : 0;
      break;
    case KIND_I8:
      scalar.integer = static_cast<uint64_t>(static_cast<int64_t>(Load<int8_t>(bytes)));
      break;
    case KIND_UI8:
      scalar.integer = Load<uint8_t>(bytes);
      break;
    case KIND_I16:
      scalar.integer = static_cast<uint64_t>(static_cast<int64_t>(Load<int16_t>(bytes)));
      break;
    case KIND_UI16:
      scalar.integer = Load<uint16_t>(bytes);
      break;
    case KIND_I32:
      scalar.integer = static_cast<uint64_t>(static_cast<int64_t>(Load<int32_t>(bytes)));
      break;
    case KIND_UI32:
      scalar.integer = Load<uint32_t>(bytes);
      break;
    case KIND_FLOAT:
      scalar.floating = true;
      scalar.real = Load<float>(bytes);
      break;
    case KIND_DOUBLE:
      scalar.floating = true;
      scalar.real = Load<double>(bytes);
      break;
    default:  // 64-bit integers and addresses
      scalar.integer = Load<uint64_t>(bytes);
      break;
  }
  scalar.isUnsigned = !IsSignedKind(kind) && kind != KIND_BOOL;
  return scalar;
}

// Toward zero, saturating at the ends of the range; NaN gives 0.
int64_t TruncateToSigned(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 0x1p63) return std::numeric_limits<int64_t>::max();
  if (value < -0x1p63) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

uint64_t TruncateToUnsigned(double value) {
  if (value < 0x1p63) return static_cast<uint64_t>(TruncateToSigned(value));
  return value >= 0x1p64 ? std::numeric_limits<uint64_t>::max() : static_cast<uint64_t>(value);
}

template <typename T>
T ToReal(const Scalar& scalar) {
  if (scalar.floating) return static_cast<T>(scalar.real);
  return scalar.isUnsigned ? static_cast<T>(scalar.integer) : static_cast<T>(static_cast<int64_t>(scalar.integer));
}

void Encode(const Scalar& scalar, uint32_t kind, void* target) {
  switch (kind) {
    case KIND_FLOAT:
      Store(target, ToReal<float>(scalar));
      return;
    case KIND_DOUBLE:
      Store(target, ToReal<double>(scalar));
      return;
    case KIND_BOOL: {
      const bool truth = scalar.floating ? TruncateToSigned(scalar.real) != 0 : scalar.integer != 0;
      Store<uint8_t>(target, truth ? 1 : 0);
      return;
    }
    default: {
      uint64_t bits = scalar.integer;
      if (scalar.floating) {
        bits = kind == KIND_UI64 ? TruncateToUnsigned(scalar.real)
                                 : static_cast<uint64_t>(TruncateToSigned(scalar.real));
      }
      std::memcpy(target, &bits, ScalarWidth(kind));  // the low bytes
      return;
    }
  }
}

bool StartsWithMinus(const char* text) {
  while (*text != '\0' && std::isspace(static_cast<unsigned char>(*text))) ++text;
  return *text == '-';
}

}  // namespace

void ConvertScalar(uint32_t sourceKind, const void* source, uint32_t targetKind, void* target) {
  if (sourceKind == targetKind) {
    std::memcpy(target, source, ScalarWidth(targetKind));
    return;
  }
  Encode(Decode(sourceKind, source), targetKind, target);
}

ConversionStatus ParseNumber(const std::string& text, uint32_t targetKind, void* target) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  Scalar scalar;
  bool inRange = true;
  switch (targetKind) {
    case KIND_I8:
    case KIND_I16:
    case KIND_I32: {
      const long long value = std::strtoll(begin, &end, 10);
      inRange = value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
      scalar.integer = static_cast<uint64_t>(value);
      break;
    }
    case KIND_UI8:
    case KIND_UI16:
    case KIND_UI32: {
      // A 32-bit unsigned long: the magnitude must fit 32 bits, a minus wraps it.
      uint64_t value = std::strtoull(begin, &end, 10);
      const bool negative = StartsWithMinus(begin);
      const uint64_t magnitude = negative ? 0 - value : value;
      inRange = magnitude <= std::numeric_limits<uint32_t>::max();
      scalar.integer = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
      break;
    }
    case KIND_I64:
      scalar.integer = static_cast<uint64_t>(std::strtoll(begin, &end, 10));
      break;
    case KIND_FLOAT:
      scalar.floating = true;
      scalar.real = std::strtof(begin, &end);
      break;
    case KIND_DOUBLE:
      scalar.floating = true;
      scalar.real = std::strtod(begin, &end);  // a double's range, as a 64-bit long double has
      break;
    default:  // ui64 and addresses
      scalar.integer = std::strtoull(begin, &end, 10);
      break;
  }
  ConversionStatus status = CONVERSION_OK;
  if (end == begin) {
    status = CONVERSION_NOT_A_NUMBER;
  } else if (errno == ERANGE || !inRange) {
    status = CONVERSION_OUT_OF_RANGE;
  }
  if (status != CONVERSION_OK) {
    std::memset(target, 0, ScalarWidth(targetKind));
    return status;
  }
  scalar.isUnsigned = !IsSignedKind(targetKind);
  Encode(scalar, targetKind, target);
  return CONVERSION_OK;
}

bool ScalarToBool(uint32_t kind, const void* bytes) {
  uint8_t truth = 0;
  ConvertScalar(kind, bytes, KIND_BOOL, &truth);
  return truth != 0;
}

const char* KindKeyword(uint32_t kind) {
  switch (kind) {
    case KIND_BOOL:
      return "bool";
    case KIND_STRING:
      return "string";
    case KIND_FUNCTION_REF:
      return "function reference";
    case KIND_I8:
      return "i8";
    case KIND_UI8:
      return "ui8";
    case KIND_I16:
      return "i16";
    case KIND_UI16:
      return "ui16";
    case KIND_I32:
      return "i32";
    case KIND_UI32:
      return "ui32";
    case KIND_I64:
      return "i64";
    case KIND_UI64:
      return "ui64";
    case KIND_FLOAT:
      return "float";
    case KIND_DOUBLE:
      return "double";
    default:
      return "value";
  }
}

std::string ConversionErrorMessage(ConversionStatus status, std::string_view text, uint32_t targetKind) {
  // The text is quoted on one line and cut when long.
  constexpr std::size_t kShown = 40;
  std::string message = "cannot convert \"";
  for (char c : text.substr(0, kShown)) message += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  if (text.size() > kShown) message += "...";
  message += "\" to ";
  message += KindKeyword(targetKind);
  message += status == CONVERSION_OUT_OF_RANGE ? ": out of range" : ": not a number";
  return message;
}

}  // namespace script
