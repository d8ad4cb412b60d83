#include "Script/Script/CompilerRunner.h"

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
  // The compiled-file writer does not exist yet.
  error_.Raise(ErrorCode::NOT_IMPLEMENTED, module::kScript, "script::CompilerRunner::Execute");
  error_.Report(*sink_);
  return false;
}

}  // namespace script
