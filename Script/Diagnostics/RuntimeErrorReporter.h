#pragma once
// A script thread's runtime error reporter and its last-error record.
#include <cstdint>
#include <string>
#include <vector>

#include "Script/Foundation/SourcePosition.h"

namespace script {

class StdOutInterface;
class SymbolStore;

// One frame of a call stack as a trace shows it: the frame's name (the
// called function, or the script file name for the top level) and the
// position of the statement the frame stands at.
struct TraceFrame {
  std::string name;
  SourcePosition position;
};

// What the script-visible error fields read.
struct LastRuntimeError {
  std::string message;
  std::string trace;  // one-line trace text, frames joined by "\r\n"
  SourcePosition position;
  uint32_t code = 0;
};

class RuntimeErrorReporter {
 public:
  RuntimeErrorReporter(const SymbolStore* symbols, StdOutInterface* sink) : symbols_(symbols), sink_(sink) {}

  // Records the error and prints it with its trace on the run channel.
  // callStack lists the frames innermost first.
  void Report(const std::string& message, const SourcePosition& position, uint32_t code,
              const std::vector<TraceFrame>& callStack);

  const LastRuntimeError& LastError() const { return last_; }
  const SymbolStore* Symbols() const { return symbols_; }

 private:
  const std::string& FileName(uint32_t file) const;

  const SymbolStore* symbols_;
  StdOutInterface* sink_;
  LastRuntimeError last_;
};

}  // namespace script
