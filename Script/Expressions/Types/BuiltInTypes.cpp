#include "Script/Expressions/Types/BuiltInTypes.h"

#include <array>
#include <utility>

#include "Script/Expressions/Types/Type.h"

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

// Built while the program starts, before any heap exists, so that the
// singletons are live nodes of no heap and a lookup never has to build them
// (the leak report asks under the heap's tracking lock).
BasicTypes basicTypes = MakeBasicTypes(std::make_index_sequence<kBasicTypeCount>());

}  // namespace

Type* BuiltInType(int32_t typeId) {
  if (typeId >= TYPE_BOOL && typeId <= TYPE_STRING) return &basicTypes[typeId - TYPE_BOOL];
  return nullptr;
}

bool IsBuiltInType(const Runable* node) {
  if (node == nullptr) return false;
  const int32_t id = node->TypeId();
  return id >= TYPE_BOOL && id <= TYPE_STRING && node == &basicTypes[id - TYPE_BOOL];
}

}  // namespace script
