#pragma once
// The program's native functions by address: library functions once their
// address has been looked up, and the native functions the runtime makes
// for addresses found in function reference variables, which the registry
// owns. A lookup is one hash probe under a lock. The interpreter empties it
// with the program's tree.
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace script {

class Function;

class NativeRegistry {
 public:
  NativeRegistry();
  NativeRegistry(const NativeRegistry&) = delete;
  NativeRegistry& operator=(const NativeRegistry&) = delete;
  ~NativeRegistry();

  // Enters a function that lives in the tree; a later entry for the same
  // address replaces it.
  void Register(const void* address, Function* function);
  // Enters a function made for an address; the registry owns it. When the
  // address is known by now, the function is dropped and the known one
  // returned.
  Function* Adopt(const void* address, std::unique_ptr<Function> function);
  // The function entered for the address, or null.
  Function* Find(const void* address) const;
  // Forgets every entry and deletes the functions the registry owns.
  void Clear();

 private:
  mutable std::mutex lock_;
  std::unordered_map<const void*, Function*> functions_;
  std::vector<std::unique_ptr<Function>> owned_;
};

}  // namespace script
