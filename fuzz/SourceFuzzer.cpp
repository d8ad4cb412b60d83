// Source text through the reader and the compiler, as `kelvra build` reads a
// script: any input compiles or fails with an error, and nothing else.
#include "fuzz/FuzzCompile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  script::fuzz::Compilation compilation;
  compilation.FromSource(script::fuzz::Bytes(data, size));
  return 0;
}
