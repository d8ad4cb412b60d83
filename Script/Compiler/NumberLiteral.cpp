#include "Script/Compiler/NumberLiteral.h"

#include <cctype>
#include <limits>

#include "Script/Expressions/NodeType.h"

namespace script {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

uint64_t DigitsValue(std::string_view digits, uint32_t base) {
  uint64_t value = 0;
  for (char c : digits) {
    uint32_t digit = IsDigit(c) ? static_cast<uint32_t>(c - '0')
                                : static_cast<uint32_t>(std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    value = value * base + digit;
  }
  return value;
}

// The unsigned type that holds `digits` digits of `bitsPerDigit` bits.
int32_t UnsignedTypeForDigits(std::size_t digits, uint32_t bitsPerDigit) {
  std::size_t bits = digits * bitsPerDigit;
  if (bits <= 8) return TYPE_UI8;
  if (bits <= 16) return TYPE_UI16;
  if (bits <= 32) return TYPE_UI32;
  return TYPE_UI64;
}

NumberLiteral Fixed(std::string_view digits, uint32_t base, uint32_t bitsPerDigit) {
  return NumberLiteral{ErrorCode::NO_ERROR, UnsignedTypeForDigits(digits.size(), bitsPerDigit),
                       std::to_string(DigitsValue(digits, base))};
}

NumberLiteral Failed(ErrorCode error) { return NumberLiteral{error, 0, {}}; }

bool AllOf(std::string_view text, bool (*accept)(char)) {
  for (char c : text) {
    if (!accept(c)) return false;
  }
  return true;
}

bool IsBinaryDigit(char c) { return c == '0' || c == '1'; }

// The type of a decimal integer literal of the given magnitude.
int32_t DecimalIntegerType(bool negative, std::string_view magnitude) {
  // Magnitudes beyond 64 bits keep the widest type; the value itself is then rejected.
  uint64_t value = magnitude.size() > 20 ? std::numeric_limits<uint64_t>::max() : DigitsValue(magnitude, 10);
  if (magnitude.size() == 20 && magnitude > "18446744073709551615") value = std::numeric_limits<uint64_t>::max();
  if (negative) {
    if (value <= 127) return TYPE_I8;
    if (value <= 32767) return TYPE_I16;
    if (value <= 2147483647) return TYPE_I32;
    return TYPE_I64;
  }
  if (value <= 255) return TYPE_UI8;
  if (value <= 65535) return TYPE_UI16;
  if (value <= 0xFFFFFFFFull) return TYPE_UI32;
  return TYPE_UI64;
}

NumberLiteral Decimal(std::string_view text) {
  std::size_t at = 0;
  const bool negative = !text.empty() && text[0] == '-';
  const bool signed_ = !text.empty() && (text[0] == '-' || text[0] == '+');
  if (signed_) ++at;
  auto digitsFrom = [&text](std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end;
  };
  std::size_t integerEnd = digitsFrom(at);
  std::string_view integer = text.substr(at, integerEnd - at);
  at = integerEnd;
  std::string_view fraction;
  bool hasPoint = false;
  if (at < text.size() && text[at] == '.') {
    hasPoint = true;
    std::size_t fractionEnd = digitsFrom(at + 1);
    fraction = text.substr(at + 1, fractionEnd - at - 1);
    at = fractionEnd;
  }
  bool hasExponent = false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    hasExponent = true;
    if (at + 1 >= text.size() || (text[at + 1] != '+' && text[at + 1] != '-')) {
      return Failed(ErrorCode::INVALID_NUMBER_FORMAT);
    }
    std::size_t exponentEnd = digitsFrom(at + 2);
    if (exponentEnd == at + 2) return Failed(ErrorCode::INVALID_NUMBER_FORMAT);
    at = exponentEnd;
  }
  if (at != text.size() || (integer.empty() && fraction.empty()) || (hasPoint && fraction.empty())) {
    return Failed(ErrorCode::INVALID_NUMBER_FORMAT);
  }
  std::size_t significant = fraction.find_last_not_of('0');
  bool fractional = significant != std::string_view::npos;
  if (fractional || hasExponent) return NumberLiteral{ErrorCode::NO_ERROR, TYPE_DOUBLE, std::string(text)};

  std::size_t firstNonZero = integer.find_first_not_of('0');
  std::string_view magnitude = firstNonZero == std::string_view::npos ? "0" : integer.substr(firstNonZero);
  std::string decimal;
  if (negative && magnitude != "0") decimal += '-';
  decimal.append(magnitude);
  return NumberLiteral{ErrorCode::NO_ERROR, DecimalIntegerType(negative, magnitude), std::move(decimal)};
}

}  // namespace

NumberLiteral ReadNumberLiteral(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string_view digits = text.substr(2);
    if (text.size() < 3 || text.size() > 18 || !AllOf(digits, IsHexDigit)) return Failed(ErrorCode::INVALID_HEX_NUMBER);
    return Fixed(digits, 16, 4);
  }
  const char last = text.empty() ? '\0' : text.back();
  std::string_view body = text.substr(0, text.empty() ? 0 : text.size() - 1);
  if (last == 'b' || last == 'B') {
    if (text.size() > 65 || body.empty() || !AllOf(body, IsBinaryDigit)) {
      return Failed(ErrorCode::INVALID_BINARY_NUMBER);
    }
    return Fixed(body, 2, 1);
  }
  if (last == 'e' || last == 'E') return Failed(ErrorCode::INVALID_NUMBER_FORMAT);
  if (last == 'h' || last == 'H') {
    if (text.size() > 17 || body.empty() || !AllOf(body, IsHexDigit)) return Failed(ErrorCode::INVALID_HEX_NUMBER);
    return Fixed(body, 16, 4);
  }
  return Decimal(text);
}

std::string FixedNumberAsDecimal(std::string_view word) {
  if (!word.empty() && AllOf(word, [](char c) { return IsDigit(c); })) return std::string(word);
  NumberLiteral literal = ReadNumberLiteral(word);
  if (literal.error != ErrorCode::NO_ERROR || literal.typeId == TYPE_DOUBLE) return {};
  return literal.decimal;
}

}  // namespace script
