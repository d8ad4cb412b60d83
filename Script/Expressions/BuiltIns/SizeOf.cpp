#include "Script/Expressions/BuiltIns/SizeOf.h"

#include <algorithm>
#include <limits>
#include <string>

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Values/Value.h"

namespace script {

SizeOf::SizeOf(const SourcePosition& position, Node* parent)
    : BuiltInFunction(TYPE_SIZEOF, position, parent, new Type(TYPE_UI32, SourcePosition{}, nullptr), nullptr) {}

uint32_t SizeOf::Apply(ExecContext*, const Runable*, Value& argument, Value& result) {
  const Type* type = argument.GetType();
  uint64_t size = type->GetSlotSize();
  if (argument.Kind() == KIND_STRING) {
    const std::string* text = argument.StringObject();
    size = text != nullptr ? text->size() : 0;
  } else if (argument.Kind() == KIND_ARRAY && size == 0) {
    const MemoryBlockRef* storage = argument.Ref();
    const MemoryBlock* block = storage->Block();
    size = block != nullptr && storage->Offset() < block->Size() ? block->Size() - storage->Offset() : 0;
  }
  result.SetUI32(static_cast<uint32_t>(std::min<uint64_t>(size, std::numeric_limits<uint32_t>::max())));
  return RUN_OK;
}

}  // namespace script
