#include "Script/Expressions/Variables/Variable.h"

#include <cstring>

#include "Script/Foundation/Serializer.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Functions/FunctionReference.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/ForeignAccess.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Values/Value.h"

namespace script {
namespace {

constexpr const char* kCheck = "script::Variable::IsExpression";
constexpr const char* kMemoryFault = "MEMORY_ACCESS_EXCEPTION!";

// The built-in function names take the symbol ids right after the
// predefined ones, one per built-in function.
constexpr uint32_t kFirstBuiltInName = SymbolStore::kLastPredefined + 1;
constexpr uint32_t kBuiltInNameCount = 8;

bool IsBuiltInName(uint32_t symbol) {
  return symbol >= kFirstBuiltInName && symbol < kFirstBuiltInName + kBuiltInNameCount;
}

// Fills the error record with a failed check reported at `at`.
bool Reject(Error* error, ErrorCode code, const SourcePosition& at, int32_t moduleLine) {
  error->SetError(static_cast<int32_t>(code), ErrorName(code), module::kExpressions, kCheck, moduleLine);
  error->SetNodePosition(at);
  return false;
}

// The reference value of the program's function named by `symbol`.
bool FindFunctionReference(ExecContext* context, uint32_t symbol, uintptr_t& reference) {
  Function* function = ProgramFunction(*context, symbol);
  if (function == nullptr) return false;
  reference = function->GetReferenceValue(context);
  return reference != 0;
}

// A variable bound to memory native code handed over: 0 when it can be read.
uint32_t ProbeSlot(const MemoryBlockRef* slot) {
  const Type* type = slot->GetType();
  return ProbeForeign(slot->Block(), slot->Offset(), type != nullptr ? type->GetSize() : 0);
}

bool IsFunctionReferenceVariable(const Node* node) {
  if (!node->IsKindOf(TYPE_TOKEN)) return false;
  const Type* type = static_cast<const Variable*>(node)->GetType();
  return type != nullptr && type->TypeId() == TYPE_FUNCTION_REF_TYPE;
}

// Writes the symbols of the increment and decrement operators of a chain
// (linked through left links) whose ids are `increment` or `decrement`.
void WriteOperators(Serializer* serializer, const Node* chain, int32_t increment, int32_t decrement) {
  for (const Node* op = chain; op != nullptr; op = op->Left()) {
    if (op->TypeId() == increment || op->TypeId() == decrement) serializer->WriteSymbol(op->Position());
  }
}

}  // namespace

Variable::Variable(const SourcePosition& position, Node* parent, Type* type, uint32_t slotIndex,
                   int32_t storageOffset)
    : Node(TYPE_TOKEN, position, parent), slotIndex_(slotIndex), storageOffset_(storageOffset), type_(type) {}

Variable::Variable(const SourcePosition& position, Node* parent, const Variable& member, uint32_t bindingSlot)
    : Node(TYPE_TOKEN, position, parent),
      slotIndex_(bindingSlot),
      storageOffset_(0),
      memberOffset_(member.MemberOffset()),
      type_(member.GetType()) {}

uint32_t Variable::Run(ExecContext* context) {
  Value* result = context->result;
  if (result == nullptr) return RUN_OK;
  if (right_ != nullptr) return right_->Run(context);
  if (storageOffset_ == kNoStorage) return RunFunctionName(context);
  MemoryBlockRef* slot = context->thread->GetSlot(slotIndex_);
  if (const uint32_t fault = ProbeSlot(slot)) return ReportRuntimeError(context, this, kMemoryFault, fault);
  result->SetRef(slot, slot->GetType());
  if (result->Kind() == KIND_FUNCTION_REF) return BindFunctionReference(context, slot);
  return RUN_OK;
}

uint32_t Variable::RunAsOperand(ExecContext* context) {
  if (context->result == nullptr || right_ != nullptr || storageOffset_ == kNoStorage) return Run(context);
  MemoryBlockRef* slot = context->thread->GetSlot(slotIndex_);
  Type* type = slot->GetType();
  const uint32_t kind = type != nullptr ? type->GetKind() : KIND_NONE;
  // Function references bind on their first read, which Run does.
  if (!IsScalarKind(kind) || kind == KIND_FUNCTION_REF || !SlotFits(slot->Block(), slot->Offset(), ScalarWidth(kind))) {
    return Run(context);
  }
  if (const uint32_t fault = ProbeSlot(slot)) return ReportRuntimeError(context, this, kMemoryFault, fault);
  context->result->SetScalar(type, slot->Data());
  return RUN_OK;
}

uint32_t Variable::RunFunctionName(ExecContext* context) const {
  uintptr_t reference = 0;
  if (type_ == nullptr || type_->GetKind() != KIND_FUNCTION_REF ||
      !FindFunctionReference(context, Position().symbol, reference)) {
    return RUN_ERROR;
  }
  context->result->SetScalar(type_, &reference);
  return RUN_OK;
}

uint32_t Variable::BindFunctionReference(ExecContext* context, MemoryBlockRef* slot) const {
  if (!SlotFits(slot->Block(), slot->Offset(), Type::kAddressSize)) return RUN_OK;
  uintptr_t reference = 0;
  std::memcpy(&reference, slot->Data(), sizeof reference);
  if (reference != 0) return RUN_OK;
  // Bound on first read: to the function the reference type names.
  Function* function = nullptr;
  BindUnsetReference(context, slot->GetType(), slot->Data(), function);
  return function != nullptr ? RUN_OK : RUN_ERROR;
}

bool Variable::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  const int32_t kind = type_ != nullptr ? type_->TypeId() : TYPE_NONE;
  if (kind == TYPE_FUNCTION_REF_TYPE) {
    if (left_ != nullptr) {
      const ErrorCode code = right_ != nullptr ? ErrorCode::OPERATOR_NOT_ALLOWED_ON_FUNCTION_CALL
                                               : ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE;
      return Reject(error, code, left_->Position(), __LINE__);
    }
    if (right_ != nullptr) return right_->IsExpression(resultType, wrapper, error);
    // A built-in function is only ever called.
    if (IsBuiltInName(Position().symbol)) return Reject(error, ErrorCode::SYNTAX_ERROR, Position(), __LINE__);
  } else if (kind == TYPE_ARRAY) {
    if (left_ != nullptr) return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_ARRAY, left_->Position(), __LINE__);
    if (right_ != nullptr) return right_->IsExpression(resultType, wrapper, error);
  } else if (type_ != nullptr && type_->IsKindOf(TYPE_AGGREGATE_TYPE)) {
    if (left_ != nullptr) return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_STRUCT, Position(), __LINE__);
    if (right_ != nullptr) return right_->IsExpression(resultType, wrapper, error);
  } else if (left_ != nullptr) {
    const int32_t id = TypeId();
    if (id == TYPE_CONST || id == TYPE_CONST_NUM || id == TYPE_CONST_BOOL) {
      return Reject(error, ErrorCode::OPERATOR_NOT_ALLOWED_ON_CONST, left_->Position(), __LINE__);
    }
    // The increment and decrement operators check their operand.
    return left_->IsExpression(resultType, wrapper, error);
  }
  *resultType = type_;
  return true;
}

void Variable::SerializeBody(Serializer* serializer) {
  // The operators apply to the last node of the access chain (a function
  // reference ends the chain: what follows is its call).
  Node* last = this;
  while (!IsFunctionReferenceVariable(last) && last->Right() != nullptr) last = last->Right();
  // Detached while writing, so that the nodes of the chain do not write it again.
  Node* chain = last->ReleaseLeft();
  WriteOperators(serializer, chain, TYPE_PRE_INC_OP, TYPE_PRE_DEC_OP);
  serializer->WriteSymbol(Position());
  if (right_ != nullptr) right_->Serialize(serializer);
  WriteOperators(serializer, chain, TYPE_POST_INC_OP, TYPE_POST_DEC_OP);
  last->SetLeft(chain);
}

}  // namespace script
