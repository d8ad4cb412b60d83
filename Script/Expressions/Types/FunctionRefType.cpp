#include "Script/Expressions/Types/FunctionRefType.h"

#include <algorithm>

#include "Script/Foundation/Serializer.h"

namespace script {

namespace {

// How many leading entries a function reference type under this parent owns.
std::size_t OwnedEntries(const Node* parent, std::size_t entryCount) {
  if (parent == nullptr) return 0;
  const int32_t id = parent->TypeId();
  if (id == TYPE_LIB) return entryCount;
  const bool function = id == TYPE_FUNCTION || (id >= TYPE_SIZEOF && id <= TYPE_STR2WARR) || id == TYPE_CAST;
  return function ? std::min<std::size_t>(1, entryCount) : 0;
}

std::string EntryName(const FunctionRefEntry& entry, const SymbolStore& symbols) {
  return entry.type != nullptr ? entry.type->GetName(symbols) : std::string();
}

}  // namespace

FunctionRefType::~FunctionRefType() {
  for (std::size_t i = OwnedEntries(parent_, entries_.size()); i-- > 0;) delete entries_[i].type;
}

void FunctionRefType::SerializeBegin(Serializer* serializer) {
  serializer->WriteToken(TYPE_FUNCTION_REF_TYPE);
  serializer->WriteToken(TYPE_LESS);
  serializer->WriteSymbol(Position());
  serializer->WriteEndToken(TYPE_GREATER);
}

bool FunctionRefType::IsSameType(const Type* other) const {
  if (other == nullptr || other->TypeId() != TYPE_FUNCTION_REF_TYPE) return false;
  const auto& theirs = static_cast<const FunctionRefType*>(other)->entries_;
  return std::equal(entries_.begin(), entries_.end(), theirs.begin(), theirs.end(),
                    [](const FunctionRefEntry& a, const FunctionRefEntry& b) {
                      if (a.type == nullptr || b.type == nullptr) return a.type == b.type;
                      return a.type->IsSameType(b.type) && a.type->ReferenceMode() == b.type->ReferenceMode();
                    });
}

std::string FunctionRefType::GetName(const SymbolStore& symbols) const {
  if (parent_ == nullptr || parent_->TypeId() != TYPE_LIB) {
    std::string name = "function<";
    name += SymbolText(symbols);
    name += '>';
    name += ReferenceSuffix();
    return name;
  }
  std::string name = entries_.empty() ? std::string() : EntryName(entries_.front(), symbols);
  name += ' ';
  name += SymbolText(symbols);
  name += '(';
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    if (i > 1) name += " ,";
    name += EntryName(entries_[i], symbols);
  }
  name += ')';
  return name;
}

bool FunctionRefType::IsSafeType(Error* error, std::vector<SourcePosition>& trace) const {
  for (const FunctionRefEntry& entry : entries_) {
    if (entry.type != nullptr && !entry.type->IsSafeType(error, trace)) return TraceUnsafe(trace);
  }
  return true;
}

}  // namespace script
