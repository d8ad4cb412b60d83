#include "Script/Expressions/Errors/ErrorType.h"

#include <cstring>

#include "Script/Diagnostics/RuntimeErrorReporter.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Memory/MemoryBlock.h"

namespace script {
namespace {

struct MemberDeclaration {
  const char* name;
  int32_t typeId;
};

// In layout order, indexed by ErrorType's member enumeration.
constexpr MemberDeclaration kMembers[] = {
    {"name", TYPE_STRING}, {"line", TYPE_UI32},  {"position", TYPE_UI32},
    {"file", TYPE_STRING}, {"trace", TYPE_STRING}, {"symbol", TYPE_STRING},
};

}  // namespace

ErrorType::ErrorType(SymbolStore& symbols)
    : AggregateType(TYPE_ERROR_TYPE, SourcePosition{symbols.InternSymbol("Error")}, nullptr), symbols_(&symbols) {
  static_assert(std::size(kMembers) == kMemberCount);
  std::array<Variable*, kMemberCount> variables{};
  for (std::size_t i = 0; i < kMemberCount; ++i) {
    // Named like the built-in type, so that the member shows as "string" or "ui32".
    auto* type = new Type(kMembers[i].typeId, BuiltInType(kMembers[i].typeId)->Position(), nullptr);
    AddMember(type);
    variables[i] = new Variable(SourcePosition{symbols.InternSymbol(kMembers[i].name)}, type, type);
    type->AddItem(variables[i]);
  }
  ComputeLayout();
  for (std::size_t i = 0; i < kMemberCount; ++i) offsets_[i] = variables[i]->MemberOffset();
}

void ErrorType::Fill(MemoryBlock* block, uint32_t offset, const LastRuntimeError& error) const {
  if (!SlotFits(block, offset, GetSize()) || block->IsForeign()) return;
  uint8_t* data = block->Data() + offset;
  auto text = [data, this](Member member) -> std::string& {
    return *reinterpret_cast<std::string*>(data + offsets_[member]);
  };
  auto number = [data, this](Member member, uint32_t value) {
    std::memcpy(data + offsets_[member], &value, sizeof value);
  };
  text(kName) = error.message;
  number(kLine, error.position.line);
  number(kPosition, error.position.position);
  text(kFile) = symbols_->File(error.position.file);
  text(kTrace) = error.trace;
  text(kSymbol) = symbols_->Symbol(error.position.symbol);
}

}  // namespace script
