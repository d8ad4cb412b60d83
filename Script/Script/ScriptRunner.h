#pragma once
// Compiles a script and runs the compiled program.
#include <cstdint>
#include <memory>
#include <string>

#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Script/OptionRunner.h"

namespace script {

class FileSerializer;
class StdOutInterface;

enum ScriptKind : int32_t {
  SCRIPT_UNKNOWN = 0,
  SCRIPT_SOURCE = 1,    // ".kelvra"
  SCRIPT_COMPILED = 2,  // ".bin"
};

// The kind of a script path by its extension: the text from the last "."
// on, compared case-sensitively.
ScriptKind ScriptKindOf(const std::string& path);

class ScriptRunner : public OptionRunner {
 public:
  // The sink is not owned and must outlive the runner.
  ScriptRunner(const std::string& path, StdOutInterface* sink);
  ~ScriptRunner() override;

  std::unique_ptr<Reader> CreateReader() override;
  bool Load() override;
  bool Execute() override;

  Interpreter& GetInterpreter() { return interpreter_; }
  const Error& GetError() const { return error_; }
  const std::string& Path() const { return path_; }
  ScriptKind Kind() const { return kind_; }

 protected:
  // Reports a failed system call as error 136 named by the system's message.
  bool ReportSystemError(int systemError, const char* function);
  // Writes the loaded program to `path` through a compiled-file or
  // source-text writer; a failed write is reported. False when nothing is
  // loaded or the write failed.
  bool WriteProgram(FileSerializer& serializer, const std::string& path);

  StdOutInterface* sink_;
  Error error_;
  std::unique_ptr<Reader> reader_;
  Interpreter interpreter_;
  std::string path_;
  ScriptKind kind_;
};

}  // namespace script
