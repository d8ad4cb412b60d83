#pragma once
// The concrete two-operand operators and compound assignments. Each binds
// its type id, its value operation and its rule on the operand types to
// MathOperator or MathAssignOperator; every one is a type of its own.
#include "Script/Expressions/Operators/MathOperator.h"

namespace script {

// Rules on the operand types, by the type ids of the type nodes.
using OperandRule = bool (*)(const Type* left, const Type* right);
bool NumericOperands(const Type* left, const Type* right);      // both numbers (78 to 87)
bool NumericOrStringLeft(const Type* left, const Type* right);  // numbers, or a string on the left
bool IntegerOperands(const Type* left, const Type* right);      // both integers (78 to 85)
bool IntegerOrBoolOperands(const Type* left, const Type* right);  // both integers, or both bool
bool AnyOperands(const Type* left, const Type* right);

template <class Base, int32_t Id, ValueOperation Operation, OperandRule Rule>
class BoundOperator final : public Base {
 public:
  BoundOperator(const SourcePosition& position, Node* parent) : Base(Id, position, parent, Operation) {}

  bool IsTypeAllowed(const Type* left, const Type* right) const override { return Rule(left, right); }
};

template <int32_t Id, ValueOperation Operation, OperandRule Rule>
using BinaryOperator = BoundOperator<MathOperator, Id, Operation, Rule>;
template <int32_t Id, ValueOperation Operation, OperandRule Rule>
using CompoundOperator = BoundOperator<MathAssignOperator, Id, Operation, Rule>;

using OperatorAdd = BinaryOperator<TYPE_ADD, ops::Add, NumericOrStringLeft>;
using OperatorAddAssign = CompoundOperator<TYPE_ADD_ASSIGN, ops::Add, NumericOrStringLeft>;
using OperatorSub = BinaryOperator<TYPE_SUB, ops::Subtract, NumericOperands>;
using OperatorSubAssign = CompoundOperator<TYPE_SUB_ASSIGN, ops::Subtract, NumericOperands>;
using OperatorMul = BinaryOperator<TYPE_MUL, ops::Multiply, NumericOperands>;
using OperatorMulAssign = CompoundOperator<TYPE_MUL_ASSIGN, ops::Multiply, NumericOperands>;
using OperatorDiv = BinaryOperator<TYPE_DIV, ops::Divide, NumericOperands>;
using OperatorDivAssign = CompoundOperator<TYPE_DIV_ASSIGN, ops::Divide, NumericOperands>;
using OperatorMod = BinaryOperator<TYPE_MOD, ops::Modulo, IntegerOperands>;
using OperatorModAssign = CompoundOperator<TYPE_MOD_ASSIGN, ops::Modulo, IntegerOperands>;
using OperatorBitAnd = BinaryOperator<TYPE_BIT_AND, ops::BitAnd, IntegerOperands>;
using OperatorBitAndAssign = CompoundOperator<TYPE_BIT_AND_ASSIGN, ops::BitAnd, IntegerOperands>;
using OperatorBitOr = BinaryOperator<TYPE_BIT_OR, ops::BitOr, IntegerOperands>;
using OperatorBitOrAssign = CompoundOperator<TYPE_BIT_OR_ASSIGN, ops::BitOr, IntegerOperands>;
using OperatorXor = BinaryOperator<TYPE_XOR, ops::BitXor, IntegerOrBoolOperands>;
using OperatorXorAssign = CompoundOperator<TYPE_XOR_ASSIGN, ops::BitXor, IntegerOrBoolOperands>;
using OperatorShiftLeft = BinaryOperator<TYPE_SHIFT_LEFT, ops::ShiftLeft, IntegerOperands>;
using OperatorShiftRight = BinaryOperator<TYPE_SHIFT_RIGHT, ops::ShiftRight, IntegerOperands>;
using OperatorAnd = BinaryOperator<TYPE_AND, ops::LogicalAnd, AnyOperands>;
using OperatorOr = BinaryOperator<TYPE_OR, ops::LogicalOr, AnyOperands>;
using OperatorLess = BinaryOperator<TYPE_LESS, ops::Less, AnyOperands>;
using OperatorLessEq = BinaryOperator<TYPE_LESS_EQ, ops::LessEqual, AnyOperands>;
using OperatorGreater = BinaryOperator<TYPE_GREATER, ops::Greater, AnyOperands>;
using OperatorGreaterEq = BinaryOperator<TYPE_GREATER_EQ, ops::GreaterEqual, AnyOperands>;
using OperatorEqual = BinaryOperator<TYPE_EQ, ops::Equal, AnyOperands>;
using OperatorNotEqual = BinaryOperator<TYPE_NOT_EQ, ops::NotEqual, AnyOperands>;

}  // namespace script
