#include "Script/Expressions/Types/ArrayType.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "Script/Foundation/Serializer.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Foundation/ExecContext.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/Memory.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Values/Value.h"

namespace script {

namespace {

// Sizes saturate rather than wrap, so that an oversized array fails to
// allocate instead of getting a small block.
uint32_t SaturatingProduct(uint64_t a, uint64_t b) {
  return static_cast<uint32_t>(std::min<uint64_t>(a * b, std::numeric_limits<uint32_t>::max()));
}

// The variable an item of a declaration declares: the item itself, or the
// left operand of its initialising assignment (possibly inside a statement
// wrapper); null for anything else.
const Variable* DeclaredVariable(const Node* item) {
  if (item->TypeId() == TYPE_PRE_POST_EXPRESSIONS) item = static_cast<const PrePostExpressions*>(item)->Wrapped();
  if (item != nullptr && item->TypeId() != TYPE_TOKEN) item = item->Left();
  return item != nullptr && item->TypeId() == TYPE_TOKEN ? static_cast<const Variable*>(item) : nullptr;
}

}  // namespace

ArrayType::~ArrayType() {
  delete dimensionExpression_;
  if (!IsBuiltInType(elementType_)) delete elementType_;
}

uint32_t ArrayType::Run(ExecContext* context) {
  if (dimensionExpression_ != nullptr) {
    uint32_t count = 0;
    if (const uint32_t failed = RunElementCount(context, count)) return failed;
    const uint32_t bytes = elementType_->GetSlotSize() * count;
    for (const Node* item : Items()) {
      if (const uint32_t failed = AllocateStorage(context, item, bytes)) return failed;
    }
  }
  return Type::Run(context);
}

uint32_t ArrayType::RunElementCount(ExecContext* context, uint32_t& count) const {
  const auto* wrapper = dimensionExpression_->TypeId() == TYPE_PRE_POST_EXPRESSIONS
                            ? static_cast<const PrePostExpressions*>(dimensionExpression_)
                            : nullptr;
  Node* expression = wrapper != nullptr ? wrapper->Wrapped() : dimensionExpression_;
  if (wrapper != nullptr) {
    if (const uint32_t failed = wrapper->RunPreOperators(*context)) return failed;
  }
  Value value;
  ExecContext child = context->ForChild(&value);
  if (const uint32_t failed = expression->Run(&child)) return failed;
  if (value.Kind() == KIND_NONE) return ReportRuntimeError(context, this, "Array dimension value is NULL!");
  int64_t number = 0;
  const ConversionStatus status = value.ReadScalar(KIND_I64, &number);
  if (status != CONVERSION_OK) {
    return ReportRuntimeError(context, this, "Array dimension is no number: " +
                                                 ConversionErrorMessage(status, value.ToText(), KIND_I64));
  }
  // A negative count would wrap to a huge one; storage beyond 32 bits
  // cannot be addressed by a subscript.
  const uint64_t slot = elementType_->GetSlotSize();
  if (number < 0 || (slot != 0 && static_cast<uint64_t>(number) > std::numeric_limits<uint32_t>::max() / slot)) {
    return ReportRuntimeError(context, this, "Array dimension is out of range: " + std::to_string(number));
  }
  count = static_cast<uint32_t>(number);
  return wrapper != nullptr ? wrapper->RunPostOperators(*context) : RUN_OK;
}

uint32_t ArrayType::AllocateStorage(ExecContext* context, const Node* item, uint32_t bytes) {
  const Variable* variable = DeclaredVariable(item);
  if (variable == nullptr) return RUN_OK;
  MemoryBlockRef* storage = context->heap->NewOwnedRef(this, bytes);
  if (storage == nullptr || storage->Block() == nullptr) {
    if (storage != nullptr) storage->Release();
    return ReportRuntimeError(context, this, "Out of memory.");
  }
  context->thread->SetSlot(variable->SlotIndex(), storage);
  storage->Release();  // the slot holds its own count
  return RUN_OK;
}

bool ArrayType::SubstituteChild(Node* child, Node* replacement) {
  if (child == nullptr || child != dimensionExpression_) return Type::SubstituteChild(child, replacement);
  dimensionExpression_ = replacement;
  if (replacement != nullptr) replacement->SetParent(this);
  return true;
}

void ArrayType::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_LESS);
  if (elementType_ != nullptr) elementType_->Serialize(serializer);
  if (dimensionExpression_ != nullptr) {
    serializer->WriteToken(TYPE_COMMA);
    dimensionExpression_->Serialize(serializer);
  } else {
    std::size_t token = 0;
    for (std::size_t end : dimensionTokenEnds_) {
      serializer->WriteToken(TYPE_COMMA);
      for (; token < end; ++token) serializer->WriteSymbol(SourcePosition{Symbols()[token]});
    }
  }
  serializer->WriteEndToken(TYPE_GREATER);
  Type::SerializeBody(serializer);
}

uint32_t ArrayType::GetSize() const {
  return elementType_ != nullptr ? SaturatingProduct(elementType_->GetSlotSize(), elementCount_) : 0;
}

uint32_t ArrayType::ValueAlignment() const { return elementType_ != nullptr ? elementType_->GetAlignment() : 1; }

bool ArrayType::IsCompatible(const Type* other) const {
  if (other == nullptr || other->TypeId() != TYPE_ARRAY || elementType_ == nullptr) return false;
  const Type* otherElement = static_cast<const ArrayType*>(other)->elementType_;
  return otherElement != nullptr && elementType_->IsSameType(otherElement) &&
         elementType_->ReferenceMode() == otherElement->ReferenceMode();
}

bool ArrayType::IsSameType(const Type* other) const {
  if (!IsCompatible(other)) return false;
  const auto* array = static_cast<const ArrayType*>(other);
  return dimensions_.empty() || array->dimensions_.empty() || GetSize() == array->GetSize();
}

uint32_t ArrayType::ElementsIn(const MemoryBlock* block, uint32_t offset) const {
  const uint32_t slot = elementType_ != nullptr ? elementType_->GetSlotSize() : 0;
  if (block == nullptr || slot == 0 || offset > block->Size()) return 0;
  const uint32_t fitting = (block->Size() - offset) / slot;
  return dimensions_.empty() ? fitting : std::min(fitting, elementCount_);
}

void ArrayType::CopyValue(Memory& memory, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
                          uint32_t sourceOffset) const {
  const uint32_t count = std::min(ElementsIn(target, targetOffset), ElementsIn(source, sourceOffset));
  if (count == 0) return;
  const uint32_t slot = elementType_->GetSlotSize();
  if (IsPlainSlot(*elementType_)) {
    std::memmove(target->Data() + targetOffset, source->Data() + sourceOffset, static_cast<std::size_t>(count) * slot);
    return;
  }
  for (uint32_t i = 0; i < count; ++i) {
    CopySlot(memory, elementType_, target, targetOffset + i * slot, source, sourceOffset + i * slot);
  }
}

MemoryBlock* ArrayType::ResolvePath(Memory& memory, std::string_view path, MemoryBlock* block, uint32_t offset,
                                    uint32_t& outOffset) const {
  if (path.empty()) return Type::ResolvePath(memory, path, block, offset, outOffset);
  uint32_t index = 0;
  if (!TakePathNumber(path, index) || index >= ElementsIn(block, offset)) return nullptr;
  return ResolvePathInSlot(memory, elementType_, path, block, offset + index * elementType_->GetSlotSize(),
                           outOffset);
}

std::string ArrayType::GetName(const SymbolStore& symbols) const {
  std::string name = "array<";
  if (elementType_ != nullptr) name += elementType_->GetName(symbols);
  for (uint32_t dimension : dimensions_) {
    name += ',';
    name += std::to_string(dimension);
  }
  name += '>';
  name += ReferenceSuffix();
  return name;
}

void ArrayType::VisitMembers(InstanceHandler& visitor, MemoryBlock* block, uint32_t offset) const {
  const uint32_t count = ElementsIn(block, offset);
  for (uint32_t i = 0; i < count; ++i) VisitSlot(visitor, elementType_, block, offset + i * elementType_->GetSlotSize());
}

bool ArrayType::IsSafeType(Error* error, std::vector<SourcePosition>& trace) const {
  if (elementType_ != nullptr && !elementType_->IsSafeType(error, trace)) return TraceUnsafe(trace);
  return true;
}

bool ArrayType::IsPlainData() const { return elementType_ == nullptr || IsPlainSlot(*elementType_); }

void ArrayType::SetElementType(Type* element) {
  if (element == elementType_) return;
  if (!IsBuiltInType(elementType_)) delete elementType_;
  elementType_ = element;
  if (element != nullptr && !IsBuiltInType(element)) element->SetParent(this);
}

void ArrayType::AddDimension(uint32_t count, std::span<const uint32_t> tokens) {
  elementCount_ = dimensions_.empty() ? count : SaturatingProduct(elementCount_, count);
  dimensions_.push_back(count);
  for (uint32_t symbol : tokens) AddSymbol(symbol);
  dimensionTokenEnds_.push_back(Symbols().size());
}

void ArrayType::SetDimensionExpression(Node* expression) {
  if (expression == dimensionExpression_) return;
  delete dimensionExpression_;
  dimensionExpression_ = expression;
  if (expression != nullptr) expression->SetParent(this);
}

}  // namespace script
