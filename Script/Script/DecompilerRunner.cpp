#include "Script/Script/DecompilerRunner.h"

#include "Script/Compiler/TextSerializer.h"
#include "kelvra/StdOutInterface.h"

namespace script {

bool DecompilerRunner::Load() {
  if (kind_ == SCRIPT_SOURCE) {
    sink_->Print(CHANNEL_BUILD, "Script already decompiled!");
    return false;
  }
  return ScriptRunner::Load();
}

bool DecompilerRunner::Execute() {
  TextSerializer serializer(interpreter_, error_);
  return WriteProgram(serializer, path_ + ".kelvra");
}

}  // namespace script
