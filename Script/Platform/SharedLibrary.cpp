#include "Script/Platform/SharedLibrary.h"

#include <dlfcn.h>

#include <cerrno>

namespace script::platform {

namespace {

// The loader's reason for the failure that just happened on this thread.
void Describe(LoaderFailure& failure, int errorNumber) {
  const char* reason = ::dlerror();
  failure.reason = reason != nullptr ? reason : "";
  failure.errorNumber = errorNumber;
}

}  // namespace

void* LoadLibrary(const std::string& name, LoaderFailure& failure) {
  ::dlerror();
  errno = 0;
  // Kept mapped when closed: a thread the library started may still run its
  // code after the script is done with it.
  void* library = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (library == nullptr) Describe(failure, errno);
  return library;
}

void* FindSymbol(void* library, const std::string& name, LoaderFailure& failure) {
  ::dlerror();
  errno = 0;
  void* address = ::dlsym(library, name.c_str());
  if (address == nullptr) Describe(failure, errno);
  return address;
}

void FreeLibrary(void* library) {
  if (library != nullptr) ::dlclose(library);
}

}  // namespace script::platform
