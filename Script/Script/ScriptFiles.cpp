// Compiling to file and decompiling, for front ends: a runner's Load and
// Execute on the caller's thread.
#include "Script/Script/CompilerRunner.h"
#include "Script/Script/DecompilerRunner.h"
#include "kelvra/ScriptSession.h"

namespace script {

namespace {

bool LoadAndExecute(ScriptRunner&& runner) { return runner.Load() && runner.Execute(); }

}  // namespace

bool CompileScript(const std::string& path, StdOutInterface& sink) {
  return LoadAndExecute(CompilerRunner(path, &sink));
}

bool DecompileScript(const std::string& path, StdOutInterface& sink) {
  return LoadAndExecute(DecompilerRunner(path, &sink));
}

}  // namespace script
