#pragma once
// Reading a scalar stored as one kind as another kind: integers are sign- or
// zero-extended and cut to the target's width, floating-point values go toward
// zero for integer targets, strings are parsed as base-10 numbers.
#include <cstdint>
#include <string>
#include <string_view>

namespace script {

// The outcome of a conversion. A failed one is a runtime error of the script:
// the run code reports ConversionErrorMessage and returns RUN_ERROR, which the
// script's error declarations can catch.
enum ConversionStatus : uint32_t {
  CONVERSION_OK = 0,
  CONVERSION_NOT_A_NUMBER = 1,    // the text does not start with a number
  CONVERSION_OUT_OF_RANGE = 2,    // the number does not fit the conversion's range
};

// Converts the scalar at `source` (sourceKind's width) into `target`
// (targetKind's width). Both kinds are scalar kinds (IsScalarKind); a bool
// target receives 0 or 1 by the truth rules.
void ConvertScalar(uint32_t sourceKind, const void* source, uint32_t targetKind, void* target);

// Parses a text as the number the target kind reads: i8 to i32 within the
// signed 32-bit range, ui8 to ui32 within the unsigned 32-bit range (a leading
// "-" wraps, as strtoul does), i64 and ui64 (and function references) with 64
// bits, float and double as floating point; then cut to the target's width.
// Leading blanks and a sign are accepted and parsing stops at the first
// character that does not fit. On failure `target` is zero-filled.
ConversionStatus ParseNumber(const std::string& text, uint32_t targetKind, void* target);

// The truth of a scalar: not zero; floating point values go toward zero first.
bool ScalarToBool(uint32_t kind, const void* bytes);
// The truth of a string: false when empty or exactly "false".
inline bool StringToBool(std::string_view text) { return !text.empty() && text != "false"; }

// The keyword of a kind ("i32"), for messages; "value" for non-scalar kinds.
const char* KindKeyword(uint32_t kind);

// The runtime error text of a failed conversion of `text` to the target kind,
// such as: cannot convert "abc" to i32: not a number.
std::string ConversionErrorMessage(ConversionStatus status, std::string_view text, uint32_t targetKind);

}  // namespace script
