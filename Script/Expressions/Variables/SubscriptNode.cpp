#include "Script/Expressions/Variables/SubscriptNode.h"

#include <algorithm>
#include <limits>

#include "Script/Foundation/Serializer.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Functions/FunctionCall.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Variables/AccessChain.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/Memory.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Values/Value.h"

namespace script {
namespace {

constexpr const char* kCheck = "script::SubscriptNode::IsExpression";
// A byte offset that lies beyond every block.
constexpr uint64_t kBeyondAnyBlock = std::numeric_limits<uint64_t>::max();

// Whether the element at byteOffset lies inside the array that starts at
// `start` in the block: a fixed array spans its own size (not the bytes of
// an enclosing structure that follow it), a dynamic one the rest of its block.
bool ElementFits(const ArrayType& array, const MemoryBlock& block, uint32_t start, uint64_t byteOffset,
                 uint32_t elementSize) {
  if (byteOffset == kBeyondAnyBlock || start > block.Size()) return false;
  const uint64_t span = array.Dimensions().empty() ? block.Size() - start : array.GetSize();
  return byteOffset + elementSize <= std::min<uint64_t>(span, block.Size() - start) && byteOffset < span;
}

PrePostExpressions* AsWrapper(Node* node) {
  return node->TypeId() == TYPE_PRE_POST_EXPRESSIONS ? static_cast<PrePostExpressions*>(node) : nullptr;
}

}  // namespace

SubscriptNode::~SubscriptNode() {
  for (Node* index : indices_) delete index;
}

void SubscriptNode::AddIndex(Node* index) {
  index->SetParent(this);
  indices_.push_back(index);
}

ArrayType* SubscriptNode::BaseArrayType() const {
  Type* type = nullptr;
  if (parent_->TypeId() == TYPE_SUBSCRIPT) {
    const ArrayType* outer = static_cast<const SubscriptNode*>(parent_)->BaseArrayType();
    if (outer != nullptr) type = outer->ElementType();
  } else if (parent_->IsKindOf(TYPE_TOKEN)) {
    type = static_cast<const Variable*>(parent_)->GetType();
  } else if (parent_->TypeId() == TYPE_FUNCTION_CALL) {
    type = static_cast<const FunctionCall*>(parent_)->GetResultType();
  }
  return type != nullptr && type->TypeId() == TYPE_ARRAY ? static_cast<ArrayType*>(type) : nullptr;
}

// ---- run

uint32_t SubscriptNode::Run(ExecContext* context) {
  ArrayType* array = BaseArrayType();
  if (array == nullptr) return RUN_ERROR;
  uint64_t byteOffset = 0;
  if (const uint32_t failed = ElementOffset(context, *array, byteOffset)) return failed;

  StackMemory* thread = context->thread;
  const MemoryBlockRef* base = thread->GetSlot(BaseSlotOf(parent_));
  MemoryBlock* block = base->Block();
  Type* element = array->ElementType();
  if (block == nullptr || !ElementFits(*array, *block, base->Offset(), byteOffset, element->GetSlotSize())) {
    return ReportRuntimeError(context, this, "Array subscript is out of memory bounds");
  }
  const uint64_t position = base->Offset() + byteOffset;
  ReachedObject reached;
  if (ReachSlot(context, this, element, block, static_cast<uint32_t>(position), reached) != RUN_OK) return RUN_ERROR;

  uint32_t result = RUN_OK;
  if (right_ == nullptr) {
    if (context->result != nullptr) PointResultAt(context, element, reached);
  } else {
    // A call on a function reference element finds the reference through the
    // binding slot as well: no frame is pushed, so its arguments still read
    // the caller's frame.
    thread->PushSlotBinding(bindingSlot_, element, reached.offset, reached.block);
    result = right_->TypeId() == TYPE_FUNCTION_CALL ? RunCall(context) : right_->Run(context);
    thread->PopSlotBinding(bindingSlot_);
  }
  ReleaseReached(reached);
  return result;
}

void SubscriptNode::PointResultAt(ExecContext* context, Type* element, const ReachedObject& reached) const {
  // The handle in the binding slot, which only a chain continuing after
  // this subscript would rebind, serves as the result's handle whenever
  // nothing but the frame holds it: reading an element then allocates no
  // handle and takes no heap lock. A handle still held (by a value alive
  // from an earlier run, or a frame sharing the globals) is left alone.
  MemoryBlockRef* own =
      (bindingSlot_ & StackMemory::kRebindingBit) != 0 && bindingSlot_ != kNoBindingSlot
          ? context->thread->GetSlot(bindingSlot_)
          : nullptr;
  if (own != nullptr && own->RefCount() == 1) {
    own->Retarget(element, reached.block, reached.offset);
    context->result->SetRef(own, element);
    return;
  }
  context->result->AdoptRef(context->heap->NewRef(element, reached.block, reached.offset), element);
}

uint32_t SubscriptNode::ElementOffset(ExecContext* context, const ArrayType& array, uint64_t& byteOffset) {
  // Computed in 64 bits; an offset that overflows or falls below the array's
  // start lies beyond every block. An index is not held to its own
  // dimension: only the storage bounds the element (m[2,0] of an
  // array<i32,2,3> is m[0,1]). An index past the array's dimensions must be
  // 0, so that no element is reached under another element's indices.
  const std::vector<uint32_t>& dimensions = array.Dimensions();
  const std::size_t dimensionCount = dimensions.empty() ? 1 : dimensions.size();
  int64_t offset = 0;
  int64_t multiplier = 1;
  bool outside = false;
  for (std::size_t k = 0; k < indices_.size(); ++k) {
    int64_t index = 0;
    if (const uint32_t failed = RunIndex(context, indices_[k], index)) return failed;
    // An index beyond the 32-bit index range names no element.
    outside = outside || index > int64_t{std::numeric_limits<uint32_t>::max()};
    if (k >= dimensionCount) {
      outside = outside || index != 0;
      continue;
    }
    const int64_t dimension = dimensions.empty() ? 0 : dimensions[k];
    int64_t term = 0;
    outside = outside || __builtin_mul_overflow(index, multiplier, &term) ||
              __builtin_add_overflow(offset, term, &offset) || __builtin_mul_overflow(multiplier, dimension, &multiplier);
  }
  int64_t bytes = 0;
  outside = outside || offset < 0 ||
            __builtin_mul_overflow(offset, int64_t{array.ElementType()->GetSlotSize()}, &bytes);
  byteOffset = outside ? kBeyondAnyBlock : static_cast<uint64_t>(bytes);
  return RUN_OK;
}

uint32_t SubscriptNode::RunIndex(ExecContext* context, Node* index, int64_t& number) {
  PrePostExpressions* wrapper = AsWrapper(index);
  if (wrapper != nullptr) {
    if (const uint32_t failed = wrapper->RunPreOperators(*context)) return failed;
    index = wrapper->Wrapped();
  }
  Value value;
  ExecContext child = context->ForChild(&value);
  if (const uint32_t failed = index->Run(&child)) return failed;
  if (value.Kind() == KIND_NONE) return ReportRuntimeError(context, this, "Subscript value is NULL!");
  // Read in 64 bits, so that an index past 32 bits is out of bounds rather
  // than cut to its low bits.
  const ConversionStatus status = value.ReadScalar(KIND_I64, &number);
  if (status != CONVERSION_OK) {
    return ReportRuntimeError(context, this,
                              "Subscript value is no 32-bit number: " +
                                  ConversionErrorMessage(status, value.ToText(), KIND_I32));
  }
  return wrapper != nullptr ? wrapper->RunPostOperators(*context) : RUN_OK;
}

uint32_t SubscriptNode::RunCall(ExecContext* context) {
  Value value;
  ExecContext child = context->ForChild(&value);
  uint32_t result = right_->Run(&child);
  if (result == RUN_EXCEPTION) result = RUN_ERROR;
  if (context->result != nullptr) *context->result = value;
  return result;
}

// ---- check

bool SubscriptNode::IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) {
  if (indices_.empty()) {
    return ReportCheckError(error, static_cast<int32_t>(ErrorCode::EXPECTING_SUBSCRIPT_VALUE), kCheck, __LINE__);
  }
  for (std::size_t k = 0; k < indices_.size(); ++k) {
    Node* index = indices_[k];
    Type* indexType = nullptr;
    PrePostExpressions* indexWrapper = nullptr;
    if (!index->IsExpression(&indexType, &indexWrapper, error)) {
      delete indexWrapper;
      return false;
    }
    // An index with increments or decrements becomes a statement of its own.
    if (indexWrapper != nullptr) {
      indexWrapper->Wrap(index);
      if (!ReplaceChild(indexWrapper)) {
        return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), kCheck, __LINE__);
      }
    }
  }
  if (right_ != nullptr) return right_->IsExpression(resultType, wrapper, error);
  if (left_ != nullptr) return left_->IsExpression(resultType, wrapper, error);
  const ArrayType* array = BaseArrayType();
  if (array == nullptr) return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), kCheck, __LINE__);
  *resultType = array->ElementType();
  return true;
}

bool SubscriptNode::ReplaceChild(Node* wrapper) {
  const PrePostExpressions* prePost = AsWrapper(wrapper);
  Node* wrapped = prePost != nullptr ? prePost->Wrapped() : nullptr;
  const auto slot = std::find(indices_.begin(), indices_.end(), wrapped);
  if (wrapped == nullptr || slot == indices_.end()) {
    delete wrapper;
    return false;
  }
  *slot = wrapper;
  wrapper->SetParent(this);
  wrapped->SetParent(wrapper);
  return true;
}

bool SubscriptNode::SubstituteChild(Node* child, Node* replacement) {
  return SubstituteInList(indices_, child, replacement) || Node::SubstituteChild(child, replacement);
}

// ---- serialization

void SubscriptNode::SerializeBody(Serializer* serializer) {
  for (std::size_t k = 0; k < indices_.size(); ++k) {
    if (k > 0) serializer->WriteToken(TYPE_COMMA);
    indices_[k]->Serialize(serializer);
  }
}

void SubscriptNode::SerializeEnd(Serializer* serializer) {
  serializer->WriteEndToken(SerializationCode());
  if (right_ != nullptr) right_->Serialize(serializer);
}

}  // namespace script
