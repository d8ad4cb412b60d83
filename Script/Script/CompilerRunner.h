#pragma once
// Compiles a source script and writes it as a compiled file beside it.
#include "Script/Script/ScriptRunner.h"

namespace script {

class CompilerRunner : public ScriptRunner {
 public:
  using ScriptRunner::ScriptRunner;

  // Refuses a script that is compiled already.
  bool Load() override;
  // Writes the compiled program to the script path with ".bin" appended;
  // a file that cannot be written is reported.
  bool Execute() override;
};

}  // namespace script
