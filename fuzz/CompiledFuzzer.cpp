// Compiled files through the compiled-file reader and the compiler: any
// input loads or fails with an error, and a file that loads writes itself
// back unchanged.
#include <cstdlib>

#include "fuzz/FuzzCompile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  script::fuzz::Compilation compilation;
  if (compilation.FromCompiled(script::fuzz::Bytes(data, size))) {
    // The stored symbols and tokens are the compile's own again, but the
    // header's stamp and values and texts the tree does not write may
    // differ, so a second load must give the same file.
    const std::string written = compilation.CompiledFile();
    script::fuzz::Compilation reloaded;
    if (!reloaded.FromCompiled(written) || reloaded.CompiledFile() != written) std::abort();
  }
  return 0;
}
