#pragma once
// Reading the text of a number literal: its form, its type and its value as
// decimal text.
#include <cstdint>
#include <string>
#include <string_view>

#include "Script/Diagnostics/ErrorCode.h"

namespace script {

struct NumberLiteral {
  ErrorCode error = ErrorCode::NO_ERROR;  // set when the text is no valid literal
  int32_t typeId = 0;                     // TYPE_UI8 ... TYPE_DOUBLE
  std::string decimal;                    // the value as decimal text
};

// Converts the collected text of a literal: "0x" hexadecimal, "h" hexadecimal,
// "b" binary, or decimal with optional sign, fraction and signed exponent.
NumberLiteral ReadNumberLiteral(std::string_view text);

// The value of a hexadecimal or binary word (prefix "0x", suffix "h" or
// suffix "b") as decimal text; the decimal text itself for decimal digits.
// Empty when the word is none of these.
std::string FixedNumberAsDecimal(std::string_view word);

}  // namespace script
