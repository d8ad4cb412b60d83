#include "Script/Expressions/Types/Type.h"

#include <algorithm>
#include <cstring>

#include "Script/Foundation/Serializer.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/Value.h"
#include "Script/Values/ValueKind.h"

namespace script {

namespace {

struct ValueLayout {
  uint32_t size;
  uint32_t alignment;
  uint32_t kind;
};

// The basic types in id order, TYPE_BOOL to TYPE_STRING.
constexpr ValueLayout kBasicLayouts[] = {
    {1, 1, KIND_BOOL},   {1, 1, KIND_I8},     {1, 1, KIND_UI8},    {2, 2, KIND_I16},
    {2, 2, KIND_UI16},   {4, 4, KIND_I32},    {4, 4, KIND_UI32},   {8, 8, KIND_I64},
    {8, 8, KIND_UI64},   {4, 4, KIND_FLOAT},  {8, 8, KIND_DOUBLE},
    {sizeof(std::string), alignof(std::string), KIND_STRING},
};
static_assert(std::size(kBasicLayouts) == TYPE_STRING - TYPE_BOOL + 1);

constexpr ValueLayout LayoutOf(int32_t typeId) {
  if (typeId >= TYPE_BOOL && typeId <= TYPE_STRING) return kBasicLayouts[typeId - TYPE_BOOL];
  switch (typeId) {
    case TYPE_FUNCTION_REF_TYPE:
      return {Type::kAddressSize, Type::kAddressSize, KIND_FUNCTION_REF};
    case TYPE_LIB:
      return {Type::kAddressSize, Type::kAddressSize, KIND_LIB};
    case TYPE_ARRAY:
      return {0, 1, KIND_ARRAY};
    case TYPE_AGGREGATE_TYPE:
    case TYPE_ERROR_TYPE:
      return {0, 1, KIND_AGGREGATE};
    default:
      return {0, 1, KIND_NONE};
  }
}

}  // namespace

Type::Type(int32_t typeId, const SourcePosition& position, Node* parent)
    : AggregateDefCollection(typeId, position, parent) {
  const ValueLayout layout = LayoutOf(typeId);
  size_ = layout.size;
  alignment_ = layout.alignment;
  kind_ = layout.kind;
}

Type::~Type() {
  for (auto item = items_.rbegin(); item != items_.rend(); ++item) delete *item;
}

uint32_t Type::Run(ExecContext* context) {
  for (Node* item : items_) {
    Value value;
    ExecContext child = context->ForChild(&value);
    if (uint32_t result = item->Run(&child); result != RUN_OK) return result;
  }
  return RUN_OK;
}

bool Type::IsExpression(Type**, PrePostExpressions**, Error* error) {
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), "script::Type::IsExpression",
                          __LINE__);
}

void Type::SerializeBody(Serializer* serializer) {
  if (left_ != nullptr) left_->Serialize(serializer);
  if (right_ != nullptr) right_->Serialize(serializer);
  if (items_.empty()) return;
  serializer->WriteToken(TYPE_EMPTY);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (i != 0) serializer->WriteToken(TYPE_COMMA);
    items_[i]->Serialize(serializer);
  }
}

void Type::SerializeEnd(Serializer* serializer) {
  if (parent_ != nullptr) {
    switch (parent_->TypeId()) {
      case TYPE_SCOPE:
      case TYPE_FUNCTION:
      case TYPE_FUNCTION_REF_TYPE:
      case TYPE_ARRAY:
        return;  // part of an enclosing declaration, which ends it
      default:
        break;
    }
    // The target type of a cast.
    if (parent_->IsKindOf(TYPE_TOKEN)) {
      const Type* variableType = static_cast<const Variable*>(parent_)->GetType();
      if (variableType != nullptr && variableType->TypeId() == TYPE_FUNCTION_REF_TYPE &&
          variableType->Parent() != nullptr && variableType->Parent()->TypeId() == TYPE_CAST) {
        return;
      }
    }
  }
  serializer->WriteEndToken(TYPE_SCOPE_END_EXPRESSION);
}

uint32_t Type::GetSize() const { return size_; }

uint32_t Type::ValueAlignment() const { return alignment_; }

bool Type::IsCompatible(const Type* other) const {
  auto basic = [](int32_t id) { return id >= TYPE_BOOL && id <= TYPE_STRING; };
  return other != nullptr && basic(TypeId()) && basic(other->TypeId());
}

bool Type::IsSameType(const Type* other) const {
  if (other == nullptr) return false;
  // The integer types pair up by width: i8/ui8, i16/ui16, i32/ui32, i64/ui64.
  auto integer = [](int32_t id) { return id >= TYPE_I8 && id <= TYPE_UI64; };
  if (integer(TypeId()) && integer(other->TypeId())) return (TypeId() - TYPE_I8) / 2 == (other->TypeId() - TYPE_I8) / 2;
  return TypeId() == other->TypeId();
}

void Type::CopyValue(Memory&, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
                     uint32_t sourceOffset) const {
  const uint32_t size = GetSize();
  if (!SlotFits(target, targetOffset, size) || !SlotFits(source, sourceOffset, size)) return;
  uint8_t* to = target->Data() + targetOffset;
  const uint8_t* from = source->Data() + sourceOffset;
  if (TypeId() == TYPE_STRING) {
    *reinterpret_cast<std::string*>(to) = *reinterpret_cast<const std::string*>(from);
  } else {
    std::memmove(to, from, size);
  }
}

MemoryBlock* Type::ResolvePath(Memory&, std::string_view path, MemoryBlock* block, uint32_t offset,
                               uint32_t& outOffset) const {
  if (!path.empty() || block == nullptr) return nullptr;
  block->AddRef();
  outOffset = offset;
  return block;
}

std::string Type::GetName(const SymbolStore& symbols) const {
  std::string name = SymbolText(symbols);
  name += ReferenceSuffix();
  return name;
}

void Type::VisitMembers(InstanceHandler&, MemoryBlock*, uint32_t) const {}

bool Type::IsSafeType(Error* error, std::vector<SourcePosition>& trace) const {
  if (TypeId() != TYPE_STRING) return true;
  trace.push_back(Position());
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::STRING_IS_NOT_SAFE_EXTERNAL_TYPE),
                          "script::Type::IsSafeType", __LINE__);
}

bool Type::IsPlainData() const { return TypeId() != TYPE_STRING; }

bool Type::SubstituteChild(Node* child, Node* replacement) {
  return SubstituteInList(items_, child, replacement) || AggregateDefCollection::SubstituteChild(child, replacement);
}

void Type::AddItem(Node* item) {
  item->SetParent(this);
  items_.push_back(item);
}

std::string_view Type::ReferenceSuffix() const {
  switch (ReferenceMode()) {
    case 1:
      return "@";
    case 2:
      return "@@";
    default:
      return {};
  }
}

const std::string& Type::SymbolText(const SymbolStore& symbols) const { return symbols.Symbol(Position().symbol); }

bool Type::TraceUnsafe(std::vector<SourcePosition>& trace) const {
  trace.push_back(Position());
  return false;
}

}  // namespace script
