#include "Script/Expressions/Library/LibType.h"

#include <algorithm>

#include "Script/Expressions/Library/FunctionLibPtr.h"
#include "Script/Expressions/Library/LibNode.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Foundation/Serializer.h"

namespace script {

LibType::~LibType() {
  // The functions use the members' types: they go first.
  for (auto function = functions_.rbegin(); function != functions_.rend(); ++function) delete *function;
}

void LibType::SerializeBegin(Serializer* serializer) {
  serializer->WriteToken(TYPE_LIB);
  serializer->WriteToken(TYPE_PARENTHESIS);
  serializer->WriteSymbol(Position());
  serializer->WriteEndToken(TYPE_PARENTHESIS);
}

void LibType::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_EMPTY);
  serializer->WriteToken(TYPE_SCOPE);
  for (const Type* member : Members()) {
    const auto& entries = static_cast<const FunctionRefType*>(member)->Entries();
    if (entries.empty()) continue;
    entries.front().type->Serialize(serializer);
    serializer->WriteToken(TYPE_EMPTY);
    serializer->WriteSymbol(member->Position());
    serializer->WriteToken(TYPE_PARENTHESIS);
    for (std::size_t i = 1; i < entries.size(); ++i) {
      if (i > 1) {
        serializer->WriteToken(TYPE_COMMA);
        serializer->WriteToken(TYPE_EMPTY);
      }
      entries[i].type->Serialize(serializer);
    }
    serializer->WriteEndToken(TYPE_PARENTHESIS);
    serializer->WriteEndToken(TYPE_SCOPE_END_EXPRESSION);
  }
  serializer->WriteEndToken(TOKEN_SCOPE_CLOSE);
  if (LibNode* variable = LibraryVariable()) variable->Serialize(serializer);
}

FunctionLibPtr* LibType::FunctionOf(const FunctionRefType* member) const {
  const std::vector<Type*>& members = Members();
  const auto found = std::find(members.begin(), members.end(), member);
  if (found == members.end()) return nullptr;
  const auto index = static_cast<std::size_t>(found - members.begin());
  return index < functions_.size() ? functions_[index] : nullptr;
}

LibNode* LibType::LibraryVariable() const {
  const std::vector<Node*>& items = Items();
  return !items.empty() && items.front()->TypeId() == TYPE_LIB_VAR ? static_cast<LibNode*>(items.front()) : nullptr;
}

}  // namespace script
