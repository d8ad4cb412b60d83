#include "Script/Expressions/Functions/FunctionCall.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "Script/Foundation/Serializer.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Functions/FunctionReference.h"
#include "Script/Expressions/Functions/ReferenceChain.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/AccessChain.h"
#include "Script/Expressions/Variables/SubscriptNode.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Values/Value.h"

namespace script {
namespace {

constexpr const char* kCheck = "script::FunctionCall::IsExpression";
// Calls with up to this many arguments keep their values on the machine stack.
constexpr std::size_t kInlineArguments = 4;

FunctionRefType* AsFunctionRefType(Type* type) {
  return type != nullptr && type->TypeId() == TYPE_FUNCTION_REF_TYPE ? static_cast<FunctionRefType*>(type) : nullptr;
}

bool IsConstant(const Node* node) {
  const int32_t id = node->TypeId();
  return id == TYPE_CONST || id == TYPE_CONST_NUM || id == TYPE_CONST_BOOL;
}

bool IsOneArgumentBuiltIn(int32_t kind) {
  return kind == TYPE_SIZEOF || kind == TYPE_LOCK || kind == TYPE_UNLOCK || kind == TYPE_CAST;
}

// The conversion built-ins take their argument by reference but only read
// it, so a literal may stand there: str2arr("text").
bool ReadsArgumentsOnly(int32_t kind) { return kind >= TYPE_ARR2STR && kind <= TYPE_STR2WARR; }

}  // namespace

FunctionCall::~FunctionCall() {
  for (auto argument = arguments_.rbegin(); argument != arguments_.rend(); ++argument) delete *argument;
}

void FunctionCall::AddArgument(Node* argument) {
  argument->SetParent(this);
  arguments_.push_back(argument);
}

FunctionRefType* FunctionCall::GetCalleeType() const {
  if (parent_ == nullptr) return nullptr;
  if (parent_->TypeId() == TYPE_FUNCTION_CALL) {
    const FunctionRefType* outer = static_cast<const FunctionCall*>(parent_)->GetCalleeType();
    return outer != nullptr ? AsFunctionRefType(outer->ReturnType()) : nullptr;
  }
  if (parent_->TypeId() == TYPE_SUBSCRIPT) {
    const ArrayType* array = static_cast<const SubscriptNode*>(parent_)->BaseArrayType();
    return array != nullptr ? AsFunctionRefType(array->ElementType()) : nullptr;
  }
  if (IsVariableLike(parent_->TypeId())) return AsFunctionRefType(static_cast<const Variable*>(parent_)->GetType());
  return nullptr;
}

Type* FunctionCall::GetResultType() const {
  const FunctionRefType* callee = GetCalleeType();
  return callee != nullptr ? callee->ReturnType() : nullptr;
}

// ---- run

uint32_t FunctionCall::Run(ExecContext* context) {
  if (castCall_) return RunCast(context);
  if (arguments_.size() <= kInlineArguments) {
    std::array<Value, kInlineArguments> arguments;
    return CallWith(context, arguments.data());
  }
  std::vector<Value> arguments(arguments_.size());
  return CallWith(context, arguments.data());
}

uint32_t FunctionCall::CallWith(ExecContext* context, Value* arguments) {
  for (std::size_t i = 0; i < arguments_.size(); ++i) {
    ExecContext child = context->ForChild(&arguments[i]);
    if (const uint32_t failed = arguments_[i]->Run(&child)) return failed;
  }
  return Perform(context, context, arguments);
}

uint32_t FunctionCall::RunCast(ExecContext* context) {
  Value argument;
  ExecContext child = context->ForChild(&argument);
  child.referenceSlotBlock = ExecContext::kNoReferenceSlot;
  uint32_t result = arguments_.front()->Run(&child);
  if (result == RUN_OK) {
    ExecContext castContext = *context;
    castContext.referenceSlotBlock = child.referenceSlotBlock;
    castContext.referenceSlotOffset = child.referenceSlotOffset;
    result = Perform(context, &castContext, &argument);
  }
  if (child.referenceSlotBlock != ExecContext::kNoReferenceSlot) child.referenceSlotBlock->Release();
  return result;
}

uint32_t FunctionCall::Perform(ExecContext* context, ExecContext* calleeContext, Value* arguments) {
  Function* callee = nullptr;
  if (const uint32_t failed = ResolveCallee(context, callee)) return failed;
  if (callee == nullptr) return ReportRuntimeError(context, this, "No function implementation.");
  Value returned;
  uint32_t result = callee->Call(calleeContext, this, arguments, arguments_.size(), &returned);
  if (result == RUN_EXCEPTION) result = RUN_ERROR;
  if (result != RUN_OK) return result;
  if (right_ != nullptr) return RunChain(context, returned);
  if (context->result != nullptr) *context->result = std::move(returned);
  return RUN_OK;
}

uint32_t FunctionCall::ResolveCallee(ExecContext* context, Function*& callee) const {
  callee = direct_;
  if (callee != nullptr) return RUN_OK;
  MemoryBlockRef* slot = context->thread->GetSlot(BaseSlotOf(parent_));
  if (slot == nullptr || !SlotFits(slot->Block(), slot->Offset(), Type::kAddressSize)) return RUN_OK;
  uintptr_t reference = 0;
  std::memcpy(&reference, slot->Data(), sizeof reference);
  if (reference == 0) return BindUnsetReference(context, GetCalleeType(), slot->Data(), callee);
  callee = FunctionOfReference(*context, reference, GetCalleeType());
  if (callee == nullptr) return ReportRuntimeError(context, this, "Out of memory.");
  return RUN_OK;
}

uint32_t FunctionCall::RunChain(ExecContext* context, Value& returned) {
  Type* type = GetResultType();
  returned.EnsureStorage(type, context->heap);
  MemoryBlockRef* storage = returned.Materialize(*context->heap);
  if (storage == nullptr) return ReportRuntimeError(context, this, "Out of memory.");
  StackMemory* thread = context->thread;
  thread->PushSlotBinding(bindingSlot_, type, storage->Offset(), storage->Block());
  uint32_t result = right_->Run(context);
  thread->PopSlotBinding(bindingSlot_);
  return result == RUN_EXCEPTION ? RUN_ERROR : result;
}

// ---- check

bool FunctionCall::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  FunctionRefType* callee = GetCalleeType();
  if (callee == nullptr) return ReportCheckError(error, static_cast<int32_t>(ErrorCode::SYNTAX_ERROR), kCheck, __LINE__);
  Node* owner = callee->Parent();
  const int32_t kind = owner != nullptr ? owner->TypeId() : TYPE_NONE;
  if (IsVariableLike(parent_->TypeId()) && static_cast<const Variable*>(parent_)->StorageOffset() == Variable::kNoStorage &&
      owner != nullptr && owner->IsKindOf(TYPE_FUNCTION)) {
    direct_ = static_cast<Function*>(owner);
  }
  castCall_ = direct_ != nullptr && kind == TYPE_CAST;

  const std::vector<FunctionRefEntry>& entries = callee->Entries();
  if (IsOneArgumentBuiltIn(kind)) {
    if (arguments_.size() != 1) {
      return ReportCheckError(error, static_cast<int32_t>(ErrorCode::EXPECTING_SINGLE_ARGUMENT), kCheck, __LINE__);
    }
    if (!CheckBuiltInCall(kind, resultType, error)) return false;
  } else {
    const std::size_t expected = entries.empty() ? 0 : entries.size() - 1;
    if (arguments_.size() != expected) {
      return ReportCheckError(error, static_cast<int32_t>(ErrorCode::UNEXPECTED_NUMBER_OF_ARGUMENTS), kCheck,
                              __LINE__);
    }
    for (std::size_t k = 0; k < arguments_.size(); ++k) {
      if (!CheckArgument(k, entries[k + 1].type, ReadsArgumentsOnly(kind), error)) return false;
    }
    *resultType = callee->ReturnType();
  }
  if (right_ != nullptr) return right_->IsExpression(resultType, wrapper, error);
  return true;
}

bool FunctionCall::CheckBuiltInCall(int32_t kind, Type** resultType, Error* error) {
  const FunctionRefType* callee = GetCalleeType();
  if (kind == TYPE_SIZEOF) {
    // The argument names storage: a variable whose chain ends in no call and
    // has no increment or decrement applied.
    const Node* argument = arguments_.front();
    const Node* last = argument;
    while (last->Right() != nullptr) last = last->Right();
    const bool variable = argument->TypeId() == TYPE_TOKEN || argument->TypeId() == TYPE_ERROR_VAR;
    if (!variable || last->TypeId() == TYPE_FUNCTION_CALL || last->Left() != nullptr) {
      return ReportCheckError(error, static_cast<int32_t>(ErrorCode::EXPECTING_VARIABLE), kCheck, __LINE__);
    }
    Type* argumentType = nullptr;
    PrePostExpressions* unused = nullptr;
    if (!arguments_.front()->IsExpression(&argumentType, &unused, error)) {
      delete unused;
      return false;
    }
    delete unused;
    *resultType = callee->ReturnType();
    return true;
  }
  Type* argumentType = nullptr;
  if (!CheckAndWrap(0, &argumentType, error)) return false;
  if (kind != TYPE_CAST) {
    *resultType = argumentType;  // lock and unlock yield their argument
    return true;
  }
  Type* target = callee->ReturnType();
  if (target != nullptr && target->TypeId() == TYPE_ARRAY &&
      static_cast<const ArrayType*>(target)->DimensionExpression() != nullptr) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::CANNOT_TYPECAST_TO_DYNAMIC_ARRAY), kCheck,
                            __LINE__);
  }
  if (target != nullptr && target->TypeId() == TYPE_STRING) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::CANNOT_TYPECAST_TO_STRING), kCheck, __LINE__);
  }
  // Bytes seen as another type must not hold a string object or a counted
  // reference cell on either side: writing through the cast would corrupt it.
  if ((target != nullptr && !target->IsPlainData()) || (argumentType != nullptr && !argumentType->IsPlainData())) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::OPERATOR_NOT_ALLOWED_ON_TYPE), kCheck, __LINE__);
  }
  *resultType = target;
  return true;
}

bool FunctionCall::CheckAndWrap(std::size_t index, Type** argumentType, Error* error) {
  Node* argument = arguments_[index];
  PrePostExpressions* argumentWrapper = nullptr;
  if (!argument->IsExpression(argumentType, &argumentWrapper, error)) {
    delete argumentWrapper;
    return false;
  }
  if (argumentWrapper == nullptr) return true;
  argumentWrapper->Wrap(argument);
  if (!ReplaceChild(argumentWrapper)) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), kCheck, __LINE__);
  }
  return true;
}

bool FunctionCall::CheckArgument(std::size_t index, Type* parameterType, bool readOnly, Error* error) {
  Type* argumentType = nullptr;
  if (!CheckAndWrap(index, &argumentType, error)) return false;
  if (parameterType == nullptr) return true;  // a parameter of any type
  const Node* argument = Unwrapped(arguments_[index]);
  auto reject = [&](ErrorCode code, int32_t line) {
    // The argument's zero-based index completes the name ("..._ARG_1").
    const std::string name = code == ErrorCode::TYPES_MISMATCHED ? "TYPES_MISMATCHED_ARG_" : ErrorName(code);
    error->SetError(static_cast<int32_t>(code), name + std::to_string(index), module::kExpressions, kCheck, line);
    error->SetNodePosition(Position());
    return false;
  };
  const uint32_t mode = parameterType->ReferenceMode();
  if (mode == 2) {
    if (!IsVariableLike(argument->TypeId())) {
      return reject(ErrorCode::CANNOT_PASS_REFERENCE_TO_REFERENCE_OF_EXPRESSION_RESULT_ARG, __LINE__);
    }
    switch (ReferenceChainEnd(argument)) {
      case ChainEnd::FunctionReturn:
        return reject(ErrorCode::CANNOT_PASS_REFERENCE_TO_REFERENCE_OF_FUNCTION_RETURN_ARG, __LINE__);
      case ChainEnd::Member:
        return reject(ErrorCode::CANNOT_PASS_MEMBER_AS_REFERENCE_TO_REFERENCE_ARG, __LINE__);
      case ChainEnd::ArrayItem:
        return reject(ErrorCode::CANNOT_PASS_ARRAY_ITEM_AS_REFERENCE_TO_REFERENCE_ARG, __LINE__);
      case ChainEnd::Variable:
        break;
    }
  }
  if (mode == 0) {
    if (!parameterType->IsCompatible(argumentType)) return reject(ErrorCode::TYPES_MISMATCHED, __LINE__);
    return true;
  }
  if (IsConstant(argument) && !readOnly) return reject(ErrorCode::CANNOT_PASS_CONST_BY_REFERENCE_ARG, __LINE__);
  if (argumentType == nullptr || !argumentType->IsSameType(parameterType)) {
    return reject(ErrorCode::TYPES_MISMATCHED, __LINE__);
  }
  return true;
}

bool FunctionCall::ReplaceChild(Node* wrapper) {
  Node* wrapped = const_cast<Node*>(Unwrapped(wrapper));
  const auto slot = std::find(arguments_.begin(), arguments_.end(), wrapped);
  if (wrapped == wrapper || slot == arguments_.end()) {
    delete wrapper;
    return false;
  }
  *slot = wrapper;
  wrapper->SetParent(this);
  wrapped->SetParent(wrapper);
  return true;
}

bool FunctionCall::SubstituteChild(Node* child, Node* replacement) {
  return SubstituteInList(arguments_, child, replacement) || Node::SubstituteChild(child, replacement);
}

// ---- serialization

void FunctionCall::SerializeBody(Serializer* serializer) {
  const FunctionRefType* callee = GetCalleeType();
  if (callee != nullptr && callee->Parent() != nullptr && callee->Parent()->TypeId() == TYPE_CAST) {
    serializer->WriteToken(TYPE_LESS);
    if (Type* target = callee->ReturnType()) target->Serialize(serializer);
    serializer->WriteEndToken(TYPE_GREATER);
  }
  serializer->WriteToken(TYPE_PARENTHESIS);
  for (std::size_t k = 0; k < arguments_.size(); ++k) {
    if (k > 0) {
      serializer->WriteToken(TYPE_COMMA);
      serializer->WriteToken(TYPE_EMPTY);
    }
    arguments_[k]->Serialize(serializer);
  }
  serializer->WriteEndToken(TYPE_PARENTHESIS);
  if (right_ != nullptr) right_->Serialize(serializer);
}

}  // namespace script
