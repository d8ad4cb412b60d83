#include "Script/Expressions/Operators/AssignOperators.h"

#include <cstring>
#include <utility>

#include "Script/Expressions/Operators/OperandChain.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {
namespace {

// Literals, and a function's name: it designates the function, no storage.
bool IsConstant(const Node* node) {
  if (node->TypeId() == TYPE_CONST || node->TypeId() == TYPE_CONST_BOOL) return true;
  return node->TypeId() == TYPE_TOKEN && static_cast<const Variable*>(node)->StorageOffset() == Variable::kNoStorage &&
         node->Right() == nullptr;
}

// A fixed array (with dimensions, none computed) of i8 or ui8 values: the
// storage a string can be copied into and out of.
bool IsByteArray(const Type* type) {
  if (type->TypeId() != TYPE_ARRAY) return false;
  const auto* array = static_cast<const ArrayType*>(type);
  const Type* element = array->ElementType();
  return !array->Dimensions().empty() && array->DimensionExpression() == nullptr && element != nullptr &&
         (element->TypeId() == TYPE_I8 || element->TypeId() == TYPE_UI8) && element->ReferenceMode() == 0;
}

}  // namespace

// ---- "="

uint32_t OperatorAssign::Run(ExecContext* context) {
  if (left_ == nullptr || !IsVariableLike(left_->TypeId())) return RUN_ERROR;
  Value right;
  if (const uint32_t result = ReadOperand(context, right_, right, "Right value is NULL!"); result != RUN_OK) {
    return result;
  }
  Value local;
  Value& target = ResultOf(context, local);
  if (const uint32_t result = RunInto(left_, context, target); result != RUN_OK) return result;
  return AssignTo(context, target, right);
}

bool OperatorAssign::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  static constexpr const char* kCheck = "script::OperatorAssign::IsExpression";
  if (left_ == nullptr || !IsVariableLike(left_->TypeId())) {
    return Reject(error, ErrorCode::ASSIGNMENT_NEEDS_LEFT_VALUE, kCheck);
  }
  if (right_ == nullptr) return Reject(error, ErrorCode::ASSIGNMENT_NEEDS_RIGHT_VALUE, kCheck);
  if (const Variable* last = LastChainVariable(left_)) {
    if (IsCallThroughReference(last)) {
      const Type* returned = static_cast<const FunctionRefType*>(last->GetType())->ReturnType();
      if (returned == nullptr || returned->ReferenceMode() == 0) {
        return Reject(error, ErrorCode::CANNOT_ASSIGN_TO_NOT_REFERENCE_RETURN_TYPE, kCheck);
      }
    } else if (IsConstant(last)) {
      return Reject(error, ErrorCode::LEFT_VALUE_CANNOT_BE_CONST, kCheck);
    }
  }
  Type* leftType = nullptr;
  Type* rightType = nullptr;
  if (!left_->IsExpression(&leftType, wrapper, error)) return false;
  if (!right_->IsExpression(&rightType, wrapper, error)) return false;
  if (!IsTypeAllowed(leftType, rightType)) return Reject(error, ErrorCode::TYPES_MISMATCHED, kCheck);
  *resultType = leftType;
  return true;
}

bool OperatorAssign::IsTypeAllowed(const Type* left, const Type* right) const {
  if (left == nullptr || right == nullptr) return false;
  const uint32_t from = right->GetKind();
  switch (const uint32_t to = left->GetKind()) {
    case KIND_BOOL:
    case KIND_STRING:
      return IsNumericKind(from) || from == KIND_BOOL || from == KIND_STRING || IsByteArray(right);
    case KIND_FUNCTION_REF:
      return from == KIND_FUNCTION_REF && left->IsSameType(right);
    case KIND_AGGREGATE:
      return left->IsSameType(right);
    case KIND_ARRAY:
      return (from == KIND_STRING && IsByteArray(left)) || left->IsCompatible(right);
    default:
      return IsNumericKind(to) && (IsNumericKind(from) || from == KIND_BOOL);
  }
}

// ---- "@="

uint32_t OperatorRefAssign::Run(ExecContext* context) {
  if (left_ == nullptr || !IsVariableLike(left_->TypeId())) return RUN_ERROR;
  Value right;
  if (const uint32_t result = Evaluate(context, right_, right, "Right value is NULL!"); result != RUN_OK) {
    return result;
  }
  // The left side runs with a request for the reference cell it reaches.
  Value local;
  ExecContext leftContext = *context;
  leftContext.result = &ResultOf(context, local);
  leftContext.referenceSlotBlock = ExecContext::kNoReferenceSlot;
  leftContext.referenceSlotOffset = 0;
  uint32_t result = left_->Run(&leftContext);
  MemoryBlock* cell = leftContext.referenceSlotBlock != ExecContext::kNoReferenceSlot ? leftContext.referenceSlotBlock
                                                                                       : nullptr;
  Value& rebound = *leftContext.result;
  if (result == RUN_OK && right.Ref() == nullptr) result = GiveStorage(context, right, rebound.GetType());
  if (result == RUN_OK) {
    const MemoryBlockRef& object = *right.Ref();
    if (cell != nullptr) StoreAddress(*context->heap, cell, leftContext.referenceSlotOffset, object);
    // The handle the result shares with the left variable's slot now
    // designates the right side's object.
    if (MemoryBlockRef* shared = rebound.Ref()) shared->Retarget(rebound.GetType(), object.Block(), object.Offset());
  }
  if (cell != nullptr) cell->Release();
  return result;
}

uint32_t OperatorRefAssign::GiveStorage(ExecContext* context, Value& right, Type* type) const {
  Value storage;
  if (type != nullptr) storage.AdoptRef(context->heap->NewOwnedRef(type, type->GetSize()), type);
  if (storage.Ref() == nullptr || storage.Ref()->Block() == nullptr) {
    return ReportRuntimeError(context, this, "Out of memory");
  }
  if (const uint32_t result = AssignTo(context, storage, right); result != RUN_OK) return result;
  right = std::move(storage);
  return RUN_OK;
}

void OperatorRefAssign::StoreAddress(Memory& heap, MemoryBlock* cellBlock, uint32_t offset,
                                     const MemoryBlockRef& target) {
  uint8_t* cell = cellBlock->Data() + offset;
  void* previous = nullptr;
  std::memcpy(&previous, cell, sizeof previous);
  if (MemoryBlock* object = target.Block()) {
    heap.EnsureMapped(object);
    object->AddRef();  // the cell's count
  }
  void* address = target.Data();  // null for a reference that designates nothing
  std::memcpy(cell, &address, sizeof address);
  if (previous == nullptr) return;
  if (MemoryBlock* old = heap.FindBlock(previous)) {
    old->Release();  // the lookup's count
    old->Release();  // the count the cell held
  }
}

bool OperatorRefAssign::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  static constexpr const char* kCheck = "script::OperatorRefAssign::IsExpression";
  if (left_ == nullptr) return Reject(error, ErrorCode::REFERENCE_ASSIGNMENT_NEEDS_LEFT_VALUE, kCheck);
  if (right_ == nullptr) return Reject(error, ErrorCode::REFERENCE_ASSIGNMENT_NEEDS_RIGHT_VALUE, kCheck);
  if (!IsVariableLike(left_->TypeId())) {
    return Reject(error, ErrorCode::REFERENCE_ASSIGNMENT_NEEDS_LEFT_VALUE_AS_VARAIBLE, kCheck);
  }
  if (const Variable* last = LastChainVariable(left_)) {
    if (IsCallThroughReference(last)) return Reject(error, ErrorCode::REFERENCE_ASSIGNMENT_NEEDS_LEFT_VALUE, kCheck);
    if (IsConstant(last)) return Reject(error, ErrorCode::LEFT_VALUE_CANNOT_BE_CONST, kCheck);
  }
  Type* leftType = nullptr;
  Type* rightType = nullptr;
  if (!left_->IsExpression(&leftType, wrapper, error)) return false;
  if (!right_->IsExpression(&rightType, wrapper, error)) return false;
  if (leftType == nullptr || !leftType->IsSameType(rightType)) {
    return Reject(error, ErrorCode::TYPES_MISMATCHED, kCheck);
  }
  // A member or element must be a reference to be rebound.
  const Node* holder = leftType->Parent();
  if (holder != nullptr && (holder->TypeId() == TYPE_AGGREGATE_TYPE || holder->TypeId() == TYPE_ARRAY) &&
      leftType->ReferenceMode() == 0) {
    return Reject(error, ErrorCode::REFERENCE_ASSIGNMENT_NEEDS_LEFT_VALUE_AS_REFERENCE, kCheck);
  }
  *resultType = leftType;
  return true;
}

}  // namespace script
