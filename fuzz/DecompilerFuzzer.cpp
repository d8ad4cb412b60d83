// The decompiler: every script that compiles writes a text that compiles to
// the same compiled file, which loads and writes the same text again.
#include <cstdlib>

#include "fuzz/FuzzCompile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string compiled;
  std::string text;
  {
    script::fuzz::Compilation source;
    if (!source.FromSource(script::fuzz::Bytes(data, size))) return 0;
    compiled = source.CompiledFile();
    text = source.Text();
  }
  {
    script::fuzz::Compilation decompiled;
    if (!decompiled.FromSource(text) || decompiled.CompiledFile() != compiled) std::abort();
  }
  script::fuzz::Compilation loaded;
  if (!loaded.FromCompiled(compiled) || loaded.Text() != text) std::abort();
  return 0;
}
