#pragma once
// The arithmetic, bitwise, comparison and logical operations of the
// operators. The target is the left operand's value (a copy of its own
// wherever the operand must stay unchanged); the source, the right operand,
// is read as the target's type, and the result keeps the target's type:
// integers wrap around at the target's width, signedness follows the target.
#include <cstdint>
#include <string>

#include "Script/Values/Value.h"

namespace script {

enum OperationStatus : uint32_t {
  OPERATION_OK = 0,
  OPERATION_UNSUPPORTED = 146,        // the operand kinds are not supported by the operation
  OPERATION_DIVISION_BY_ZERO = 147,
  OPERATION_TRUE = 148,               // a comparison held
  OPERATION_FALSE = 149,              // a comparison did not hold
  OPERATION_CONVERSION_FAILED = 150,  // a string source does not read as the number needed
};

// A value operation as the operator nodes hold it.
using ValueOperation = uint32_t (*)(Value& target, const Value& source);

namespace ops {

// Numbers: wrap-around or IEEE addition. A string target appends the
// source's text; a target without a kind becomes a copy of the source.
uint32_t Add(Value& target, const Value& source);
uint32_t Subtract(Value& target, const Value& source);
uint32_t Multiply(Value& target, const Value& source);
// Truncating division; the smallest signed value divided by -1 wraps to
// itself. A zero source gives OPERATION_DIVISION_BY_ZERO.
uint32_t Divide(Value& target, const Value& source);
// Integers only; the remainder has the target's sign (x % -1 is 0).
uint32_t Modulo(Value& target, const Value& source);
// Integers, and bool targets on 0 and 1.
uint32_t BitAnd(Value& target, const Value& source);
uint32_t BitOr(Value& target, const Value& source);
uint32_t BitXor(Value& target, const Value& source);
// Integers. Targets of 8 to 32 bits shift by the count's low 5 bits, 64-bit
// targets by its low 8 bits (64 and more shift everything out). Right
// shifts fill with the sign for signed targets.
uint32_t ShiftLeft(Value& target, const Value& source);
uint32_t ShiftRight(Value& target, const Value& source);
// Compare as the target's type and leave the target unchanged:
// OPERATION_TRUE or OPERATION_FALSE.
uint32_t Less(Value& target, const Value& source);
uint32_t LessEqual(Value& target, const Value& source);
uint32_t Greater(Value& target, const Value& source);
uint32_t GreaterEqual(Value& target, const Value& source);
uint32_t Equal(Value& target, const Value& source);
uint32_t NotEqual(Value& target, const Value& source);
// The target becomes the bool of ToBool of each operand (no conversion of
// the source to the target's type).
uint32_t LogicalAnd(Value& target, const Value& source);
uint32_t LogicalOr(Value& target, const Value& source);
// The target becomes the bitwise not of the source read as the target's
// type (logical not for bool); a target without a kind takes the source's
// type first.
uint32_t BitNot(Value& target, const Value& source);

}  // namespace ops

// The runtime error text of a failed operation applied to (target, source):
// "Division by zero", the conversion failure of a string source, or
// "Runtime error: " and the status.
std::string OperationErrorMessage(uint32_t status, const Value& target, const Value& source);

}  // namespace script
