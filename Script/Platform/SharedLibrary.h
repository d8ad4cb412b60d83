#pragma once
// Shared libraries: loading a module by name, looking its exported symbols
// up, releasing it.
#include <string>

namespace script::platform {

// Why the system's loader failed: its own reason text and the system error
// number it left (0 when it left none).
struct LoaderFailure {
  std::string reason;
  int errorNumber = 0;
};

// Loads a module with every symbol resolved at once. The name goes to the
// system's loader unchanged: a bare file name is searched for, a name with a
// "/" is a path. Null on failure, which `failure` then describes.
void* LoadLibrary(const std::string& name, LoaderFailure& failure);
// The address of an exported symbol; null on failure.
void* FindSymbol(void* library, const std::string& name, LoaderFailure& failure);
void FreeLibrary(void* library);

}  // namespace script::platform
