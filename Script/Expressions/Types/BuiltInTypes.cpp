#include "Script/Expressions/Types/BuiltInTypes.h"

#include <array>
#include <atomic>
#include <utility>

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/Memory.h"

namespace script {

namespace {

// Symbol id of "bool", the first of the twelve type names in the predefined
// symbols; the others follow in type id order.
constexpr uint32_t kFirstTypeNameSymbol = 48;
constexpr std::size_t kBasicTypeCount = TYPE_STRING - TYPE_BOOL + 1;

using BasicTypes = std::array<Type, kBasicTypeCount>;

template <std::size_t... I>
BasicTypes MakeBasicTypes(std::index_sequence<I...>) {
  return {Type(static_cast<int32_t>(TYPE_BOOL + I), SourcePosition{kFirstTypeNameSymbol + I}, nullptr)...};
}

// Nodes register with the heap that is active when they are built; the
// singletons belong to no heap, so they leave its registry.
struct BasicTable {
  BasicTable() {
    if (Memory* heap = Memory::Active()) {
      for (const Type& type : types) heap->UntrackNode(&type);
    }
  }
  BasicTypes types = MakeBasicTypes(std::make_index_sequence<kBasicTypeCount>());
};

// Built on first use.
BasicTypes& Basic() {
  static BasicTable table;
  return table.types;
}

std::atomic<Type*> errorType{nullptr};

}  // namespace

Type* BuiltInType(int32_t typeId) {
  if (typeId >= TYPE_BOOL && typeId <= TYPE_STRING) return &Basic()[typeId - TYPE_BOOL];
  if (typeId == TYPE_ERROR_TYPE) return errorType.load(std::memory_order_acquire);
  return nullptr;
}

void SetBuiltInErrorType(Type* type) {
  if (type == nullptr || type->TypeId() == TYPE_ERROR_TYPE) errorType.store(type, std::memory_order_release);
}

bool IsBuiltInType(const Runable* node) {
  if (node == nullptr) return false;
  const int32_t id = node->TypeId();
  if (id == TYPE_ERROR_TYPE) return node == errorType.load(std::memory_order_acquire);
  return id >= TYPE_BOOL && id <= TYPE_STRING && node == &Basic()[id - TYPE_BOOL];
}

}  // namespace script
