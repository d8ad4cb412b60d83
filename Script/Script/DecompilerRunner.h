#pragma once
// Loads a compiled file and writes it back as source text beside it.
#include "Script/Script/ScriptRunner.h"

namespace script {

class DecompilerRunner : public ScriptRunner {
 public:
  using ScriptRunner::ScriptRunner;

  // Refuses a script that is source text already.
  bool Load() override;
  // Writes the program as source text to the script path with ".kelvra"
  // appended; a file that cannot be written is reported.
  bool Execute() override;
};

}  // namespace script
