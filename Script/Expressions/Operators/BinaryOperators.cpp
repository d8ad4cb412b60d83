#include "Script/Expressions/Operators/BinaryOperators.h"

#include "Script/Expressions/Types/Type.h"

namespace script {
namespace {

bool InRange(const Type* type, int32_t first, int32_t last) {
  return type != nullptr && type->TypeId() >= first && type->TypeId() <= last;
}

bool IsNumber(const Type* type) { return InRange(type, TYPE_I8, TYPE_DOUBLE); }
bool IsInteger(const Type* type) { return InRange(type, TYPE_I8, TYPE_UI64); }

}  // namespace

bool NumericOperands(const Type* left, const Type* right) { return IsNumber(left) && IsNumber(right); }

bool NumericOrStringLeft(const Type* left, const Type* right) {
  return NumericOperands(left, right) || InRange(left, TYPE_STRING, TYPE_STRING);
}

bool IntegerOperands(const Type* left, const Type* right) { return IsInteger(left) && IsInteger(right); }

bool IntegerOrBoolOperands(const Type* left, const Type* right) {
  return IntegerOperands(left, right) || (InRange(left, TYPE_BOOL, TYPE_BOOL) && InRange(right, TYPE_BOOL, TYPE_BOOL));
}

bool AnyOperands(const Type*, const Type*) { return true; }

}  // namespace script
