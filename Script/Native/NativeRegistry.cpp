#include "Script/Native/NativeRegistry.h"

#include "Script/Expressions/Functions/Function.h"

namespace script {

NativeRegistry::NativeRegistry() = default;
NativeRegistry::~NativeRegistry() { Clear(); }

void NativeRegistry::Register(const void* address, Function* function) {
  std::lock_guard guard(lock_);
  functions_[address] = function;
}

Function* NativeRegistry::Adopt(const void* address, std::unique_ptr<Function> function) {
  std::lock_guard guard(lock_);
  auto [entry, added] = functions_.try_emplace(address, function.get());
  if (added) owned_.push_back(std::move(function));
  return entry->second;
}

Function* NativeRegistry::Find(const void* address) const {
  std::lock_guard guard(lock_);
  auto entry = functions_.find(address);
  return entry != functions_.end() ? entry->second : nullptr;
}

void NativeRegistry::Clear() {
  std::vector<std::unique_ptr<Function>> owned;
  {
    std::lock_guard guard(lock_);
    functions_.clear();
    owned.swap(owned_);
  }
  // Deleted outside the lock: a node's destructor reaches the heap.
}

}  // namespace script
