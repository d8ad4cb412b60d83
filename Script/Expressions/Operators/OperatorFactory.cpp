#include "Script/Expressions/Operators/OperatorFactory.h"

#include <new>

#include "Script/Expressions/Operators/AssignOperators.h"
#include "Script/Expressions/Operators/BinaryOperators.h"
#include "Script/Expressions/Operators/PrePostOperators.h"
#include "Script/Expressions/Operators/UnaryOperators.h"

namespace script {
namespace {

template <class T>
Node* Make(const SourcePosition& position, Node* parent) {
  return new (std::nothrow) T(position, parent);
}

}  // namespace

Node* CreateOperatorNode(int32_t typeId, const SourcePosition& position, Node* parent) {
  switch (typeId) {
    case TYPE_ASSIGN: return Make<OperatorAssign>(position, parent);
    case TYPE_REF_ASSIGN: return Make<OperatorRefAssign>(position, parent);
    case TYPE_NOT: return Make<OperatorNot>(position, parent);
    case TYPE_BIT_NOT: return Make<OperatorBitNot>(position, parent);
    case TYPE_PRE_INC_OP: return Make<OperatorPreInc>(position, parent);
    case TYPE_POST_INC_OP: return Make<OperatorPostInc>(position, parent);
    case TYPE_PRE_DEC_OP: return Make<OperatorPreDec>(position, parent);
    case TYPE_POST_DEC_OP: return Make<OperatorPostDec>(position, parent);
    case TYPE_ADD: return Make<OperatorAdd>(position, parent);
    case TYPE_ADD_ASSIGN: return Make<OperatorAddAssign>(position, parent);
    case TYPE_SUB: return Make<OperatorSub>(position, parent);
    case TYPE_SUB_ASSIGN: return Make<OperatorSubAssign>(position, parent);
    case TYPE_MUL: return Make<OperatorMul>(position, parent);
    case TYPE_MUL_ASSIGN: return Make<OperatorMulAssign>(position, parent);
    case TYPE_DIV: return Make<OperatorDiv>(position, parent);
    case TYPE_DIV_ASSIGN: return Make<OperatorDivAssign>(position, parent);
    case TYPE_MOD: return Make<OperatorMod>(position, parent);
    case TYPE_MOD_ASSIGN: return Make<OperatorModAssign>(position, parent);
    case TYPE_BIT_AND: return Make<OperatorBitAnd>(position, parent);
    case TYPE_BIT_AND_ASSIGN: return Make<OperatorBitAndAssign>(position, parent);
    case TYPE_BIT_OR: return Make<OperatorBitOr>(position, parent);
    case TYPE_BIT_OR_ASSIGN: return Make<OperatorBitOrAssign>(position, parent);
    case TYPE_XOR: return Make<OperatorXor>(position, parent);
    case TYPE_XOR_ASSIGN: return Make<OperatorXorAssign>(position, parent);
    case TYPE_SHIFT_LEFT: return Make<OperatorShiftLeft>(position, parent);
    case TYPE_SHIFT_RIGHT: return Make<OperatorShiftRight>(position, parent);
    case TYPE_AND: return Make<OperatorAnd>(position, parent);
    case TYPE_OR: return Make<OperatorOr>(position, parent);
    case TYPE_LESS: return Make<OperatorLess>(position, parent);
    case TYPE_LESS_EQ: return Make<OperatorLessEq>(position, parent);
    case TYPE_GREATER: return Make<OperatorGreater>(position, parent);
    case TYPE_GREATER_EQ: return Make<OperatorGreaterEq>(position, parent);
    case TYPE_EQ: return Make<OperatorEqual>(position, parent);
    case TYPE_NOT_EQ: return Make<OperatorNotEqual>(position, parent);
    default: return nullptr;
  }
}

}  // namespace script
