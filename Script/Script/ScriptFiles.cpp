// Compiling a script to a file and decompiling one, for front ends.
#include "Script/Script/CompilerRunner.h"
#include "Script/Script/DecompilerRunner.h"
#include "kelvra/ScriptSession.h"

namespace script {

namespace {

template <class Runner>
bool LoadAndWrite(const std::string& path, StdOutInterface& sink) {
  Runner runner(path, &sink);
  return runner.Load() && runner.Execute();
}

}  // namespace

bool CompileScript(const std::string& path, StdOutInterface& sink) { return LoadAndWrite<CompilerRunner>(path, sink); }

bool DecompileScript(const std::string& path, StdOutInterface& sink) {
  return LoadAndWrite<DecompilerRunner>(path, sink);
}

}  // namespace script
