#pragma once
// The compile-time error record shared by the readers, the compiler and the
// node checks of one runner. The first raise stops a compile.
#include <cstdint>
#include <string>
#include <vector>

#include "Script/Diagnostics/ErrorCode.h"
#include "Script/Foundation/SourcePosition.h"

namespace script {

class StdOutInterface;

// Names of the engine modules printed in "INTERNAL: " lines.
namespace module {
inline constexpr const char* kCompiler = "Compiler";
inline constexpr const char* kExpressions = "Expressions";
inline constexpr const char* kScript = "Script";
}  // namespace module

class Error {
 public:
  virtual ~Error() = default;

  // Sets code, name and the raising engine location; module is reduced to
  // the text after its last path separator.
  void SetError(int32_t code, const std::string& name, const char* modulePath, const char* function,
                int32_t moduleLine);

  // Sets the error with the catalogue name of the code; returns false so
  // that raise sites can return its result. The engine line is the raise
  // site's own (__builtin_LINE in a default argument is the caller's line;
  // std::source_location is not available with every supported compiler).
  bool Raise(ErrorCode code, const char* module, const char* function,
             int32_t moduleLine = __builtin_LINE());
  // As Raise, with a name of its own (system messages, "_ARG_" names).
  bool RaiseNamed(ErrorCode code, const std::string& name, const char* module, const char* function,
                  int32_t moduleLine = __builtin_LINE());
  // Clears the error: code 0, "NO_ERROR", with the clearing location.
  void Clear(const char* module, const char* function,
             int32_t moduleLine = __builtin_LINE());

  // Sets the script location; a recorded node position takes precedence
  // over the given line and position.
  void SetLocation(const std::string& file, int32_t line, int32_t position);
  // Records the position of the node whose check failed.
  void SetNodePosition(const SourcePosition& position) { nodePosition_ = position; }

  // Prints the compile outcome on the build channel.
  void Report(StdOutInterface& sink) const;

  bool IsSet() const { return code_ != 0; }
  int32_t Code() const { return code_; }
  const std::string& Name() const { return name_; }
  const char* Module() const { return module_; }
  const char* Function() const { return function_; }
  int32_t ModuleLine() const { return moduleLine_; }
  const std::string& File() const { return file_; }
  int32_t Line() const { return line_; }
  int32_t Position() const { return position_; }
  const SourcePosition& NodePosition() const { return nodePosition_; }
  std::vector<std::string>& Trace() { return trace_; }
  const std::vector<std::string>& Trace() const { return trace_; }

 private:
  std::vector<std::string> trace_;
  SourcePosition nodePosition_;
  std::string name_;
  const char* module_ = "";
  const char* function_ = "";
  int32_t moduleLine_ = 0;
  int32_t code_ = 0;
  std::string file_;
  int32_t line_ = 1;
  int32_t position_ = 1;
};

}  // namespace script
