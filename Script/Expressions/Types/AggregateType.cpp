#include "Script/Expressions/Types/AggregateType.h"

#include <algorithm>
#include <cstring>

#include "Script/Foundation/Serializer.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/Variable.h"

namespace script {

namespace {

uint32_t AlignUp(uint32_t offset, uint32_t alignment) { return (offset + alignment - 1) / alignment * alignment; }

// A question about structures being answered on this thread. A structure can
// reach itself through a reference member; a question met again while it is
// being answered counts as answered, so that the walk ends.
class QuestionInProgress {
 public:
  QuestionInProgress(const AggregateType* first, const AggregateType* second)
      : first_(first), second_(second), outer_(innermost_) {
    for (const QuestionInProgress* question = outer_; question != nullptr; question = question->outer_) {
      if (question->first_ == first && question->second_ == second) repeated_ = true;
    }
    innermost_ = this;
  }
  QuestionInProgress(const QuestionInProgress&) = delete;
  QuestionInProgress& operator=(const QuestionInProgress&) = delete;
  ~QuestionInProgress() { innermost_ = outer_; }

  bool Repeated() const { return repeated_; }

 private:
  static thread_local const QuestionInProgress* innermost_;

  const AggregateType* first_;
  const AggregateType* second_;
  const QuestionInProgress* outer_;
  bool repeated_ = false;
};

thread_local const QuestionInProgress* QuestionInProgress::innermost_ = nullptr;

// Member declarations match when their types are the same and they hold the
// same number of variables with the same reference mode, so that both
// structures have one layout.
bool SameMember(const Type* mine, const Type* theirs) {
  return mine->IsSameType(theirs) && mine->ReferenceMode() == theirs->ReferenceMode() &&
         mine->Items().size() == theirs->Items().size();
}

// Calls f(variable) for each member variable, in layout order.
template <class F>
void ForEachMemberVariable(const std::vector<Type*>& members, F f) {
  for (const Type* member : members) {
    for (Node* item : member->Items()) {
      if (item->TypeId() == TYPE_TOKEN) f(*static_cast<const Variable*>(item));
    }
  }
}

}  // namespace

AggregateType::~AggregateType() {
  for (auto member = members_.rbegin(); member != members_.rend(); ++member) delete *member;
}

void AggregateType::SerializeBegin(Serializer* serializer) {
  if (definition_ == nullptr) {
    serializer->WriteToken(TypeId());
  } else {
    serializer->WriteSymbol(Position());
  }
}

void AggregateType::SerializeBody(Serializer* serializer) {
  if (definition_ == nullptr) {
    serializer->WriteToken(TYPE_EMPTY);
    serializer->WriteSymbol(Position());
    serializer->WriteToken(TYPE_EMPTY);
    serializer->WriteToken(TYPE_SCOPE);
    for (Type* member : members_) member->Serialize(serializer);
    // The declared variables follow on the same line.
    serializer->WriteEndToken(TOKEN_SCOPE_CLOSE);
  }
  Type::SerializeBody(serializer);
}

bool AggregateType::IsSameType(const Type* other) const {
  if (other == nullptr || !other->IsKindOf(TYPE_AGGREGATE_TYPE)) return false;
  const AggregateType* mine = Defining();
  const AggregateType* theirs = static_cast<const AggregateType*>(other)->Defining();
  if (mine == theirs) return true;
  if (mine->members_.size() != theirs->members_.size()) return false;
  QuestionInProgress question(mine, theirs);
  if (question.Repeated()) return true;
  return std::equal(mine->members_.begin(), mine->members_.end(), theirs->members_.begin(), SameMember);
}

void AggregateType::CopyValue(Memory& memory, MemoryBlock* target, uint32_t targetOffset, MemoryBlock* source,
                              uint32_t sourceOffset) const {
  if (IsPlainData()) {
    const uint32_t size = GetSize();
    if (SlotFits(target, targetOffset, size) && SlotFits(source, sourceOffset, size)) {
      std::memmove(target->Data() + targetOffset, source->Data() + sourceOffset, size);
    }
    return;
  }
  ForEachMemberVariable(Members(), [&](const Variable& variable) {
    if (variable.GetType() == nullptr) return;
    CopySlot(memory, variable.GetType(), target, targetOffset + variable.MemberOffset(), source,
             sourceOffset + variable.MemberOffset());
  });
}

MemoryBlock* AggregateType::ResolvePath(Memory& memory, std::string_view path, MemoryBlock* block, uint32_t offset,
                                        uint32_t& outOffset) const {
  if (path.empty()) return Type::ResolvePath(memory, path, block, offset, outOffset);
  uint32_t declaration = 0;
  uint32_t index = 0;
  if (!TakePathNumber(path, declaration) || !TakePathNumber(path, index)) return nullptr;
  const std::vector<Type*>& members = Members();
  if (declaration >= members.size()) return nullptr;
  const std::vector<Node*>& items = members[declaration]->Items();
  if (index >= items.size() || items[index]->TypeId() != TYPE_TOKEN) return nullptr;
  const auto* variable = static_cast<const Variable*>(items[index]);
  if (variable->GetType() == nullptr) return nullptr;
  return ResolvePathInSlot(memory, variable->GetType(), path, block, offset + variable->MemberOffset(), outOffset);
}

void AggregateType::VisitMembers(InstanceHandler& visitor, MemoryBlock* block, uint32_t offset) const {
  ForEachMemberVariable(Members(), [&](const Variable& variable) {
    if (variable.GetType() != nullptr) VisitSlot(visitor, variable.GetType(), block, offset + variable.MemberOffset());
  });
}

bool AggregateType::IsSafeType(Error* error, std::vector<SourcePosition>& trace) const {
  QuestionInProgress question(Defining(), nullptr);
  if (question.Repeated()) return true;
  for (const Type* member : Members()) {
    if (!member->IsSafeType(error, trace)) return TraceUnsafe(trace);
  }
  return true;
}

bool AggregateType::ComputeLayout() {
  uint32_t offset = 0;
  structAlignment_ = 1;
  plainData_ = true;
  memberVariables_.clear();
  for (const Type* member : members_) {
    if (member->Items().empty()) {
      // Only a nested structure definition may declare no variables.
      const bool definesStructure = member->TypeId() == TYPE_AGGREGATE_TYPE &&
                                    static_cast<const AggregateType*>(member)->Definition() == nullptr;
      if (!definesStructure) return false;
    }
    for (Node* item : member->Items()) {
      if (item->TypeId() != TYPE_TOKEN) return false;
      auto* variable = static_cast<Variable*>(item);
      const Type* type = variable->GetType();
      if (type == nullptr) return false;
      const uint32_t memberOffset = AlignUp(offset, type->GetAlignment());
      variable->SetMemberOffset(memberOffset);
      memberVariables_.push_back(variable);
      offset = memberOffset + type->GetSlotSize();
      plainData_ = plainData_ && IsPlainSlot(*type);
    }
    structAlignment_ = std::max(structAlignment_, member->GetAlignment());
  }
  structSize_ = AlignUp(offset, structAlignment_);
  return true;
}

const Variable* AggregateType::FindMember(uint32_t symbol) const {
  const AggregateType* defining = Defining();
  defining->IndexNewMembers();
  auto found = defining->memberIndex_.find(symbol);
  return found == defining->memberIndex_.end() ? nullptr : found->second;
}

void AggregateType::IndexNewMembers() const {
  while (indexedDeclarations_ < members_.size()) {
    const std::vector<Node*>& items = members_[indexedDeclarations_]->Items();
    for (; indexedItems_ < items.size(); ++indexedItems_) {
      const Node* item = items[indexedItems_];
      if (item->TypeId() == TYPE_TOKEN) memberIndex_.emplace(item->Position().symbol, static_cast<const Variable*>(item));
    }
    if (indexedDeclarations_ + 1 == members_.size()) return;
    ++indexedDeclarations_;
    indexedItems_ = 0;
  }
}

void AggregateType::AddMember(Type* member) {
  member->SetParent(this);
  members_.push_back(member);
}

}  // namespace script
