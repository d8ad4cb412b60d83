#pragma once
// A script loaded and run in the test's own process: the run goes on a
// worker thread under a debugger that lets it run to its end, and the sink
// and the journal keep what it reported.
#include <string>

#include "Script/Script/ScriptRunner.h"
#include "tests/debugger/Journal.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script::test {

class InProcessRun {
 public:
  // Writes the script as main.kelvra into a fresh folder and loads it.
  explicit InProcessRun(const std::string& script);

  bool Loaded() const { return loaded_; }
  // Runs the program once to its end; what ScriptRunner::Execute returned.
  bool Execute();

  ScriptRunner& Runner() { return runner_; }
  Interpreter& Program() { return runner_.GetInterpreter(); }
  CaptureSink& Sink() { return sink_; }
  Journal& Events() { return journal_; }
  const std::string& Path() const { return path_; }

 private:
  TempDir dir_;
  std::string path_;
  CaptureSink sink_;
  Journal journal_;
  ScriptRunner runner_;
  bool loaded_;
};

}  // namespace script::test
