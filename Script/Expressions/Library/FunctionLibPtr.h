#pragma once
// A function of a library declaration: called like any native function,
// at the address the library's module exports under the function's name.
// The address is looked up on first use and kept for the module's life.
#include <atomic>
#include <string>

#include "Script/Expressions/Functions/FunctionPtr.h"

namespace script {

class LibType;

class FunctionLibPtr : public FunctionPtr {
 public:
  // `member` is the function's type in the library (its prototype) and
  // `name` its exported name.
  FunctionLibPtr(const SourcePosition& position, LibType* library, FunctionRefType* member, std::string name);

  // The exported address, looked up in the loaded module on first use and
  // entered in the program's native function registry. Null after
  // reporting, at the declaration, "Module is not loaded." or "Can't get
  // function address.".
  void* Address(ExecContext* context) override;
  // The library's module name, shown for the function's frames.
  const std::string& ModuleName() const;

 private:
  LibType* library_;
  std::string name_;
  std::atomic<void*> address_{nullptr};
};

}  // namespace script
