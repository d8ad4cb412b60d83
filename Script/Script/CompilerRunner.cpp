#include "Script/Script/CompilerRunner.h"

#include "Script/Compiler/BinarySerializer.h"
#include "kelvra/StdOutInterface.h"

namespace script {

bool CompilerRunner::Load() {
  if (kind_ == SCRIPT_COMPILED) {
    sink_->Print(CHANNEL_BUILD, "Script already compiled!");
    return false;
  }
  return ScriptRunner::Load();
}

bool CompilerRunner::Execute() {
  BinarySerializer serializer(interpreter_, error_);
  return WriteProgram(serializer, path_ + ".bin");
}

}  // namespace script
