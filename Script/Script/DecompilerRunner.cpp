#include "Script/Script/DecompilerRunner.h"

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
  // The source-text writer does not exist yet.
  error_.Raise(ErrorCode::NOT_IMPLEMENTED, module::kScript, "script::DecompilerRunner::Execute");
  error_.Report(*sink_);
  return false;
}

}  // namespace script
