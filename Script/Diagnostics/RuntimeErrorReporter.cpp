#include "Script/Diagnostics/RuntimeErrorReporter.h"

#include <cstdio>

#include "Script/Foundation/SymbolStore.h"
#include "kelvra/StdOutInterface.h"
#include "Script/Platform/Thread.h"

namespace script {

namespace {

const std::string kNoText;

std::string HexCode(uint32_t code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%x", code);
  return buffer;
}

}  // namespace

const std::string& RuntimeErrorReporter::FileName(uint32_t file) const {
  return symbols_ != nullptr ? symbols_->File(file) : kNoText;
}

void RuntimeErrorReporter::Report(const std::string& message, const SourcePosition& position, uint32_t code,
                                  const std::vector<TraceFrame>& callStack) {
  last_.message = message;
  last_.position = position;
  last_.code = code;
  last_.trace.clear();
  for (const TraceFrame& frame : callStack) {
    if (!last_.trace.empty()) last_.trace += "\r\n";
    last_.trace += frame.name + " [" + FileName(frame.position.file) + ", line: " +
                   std::to_string(frame.position.line) + ", pos: " + std::to_string(frame.position.position) + "]";
  }
  if (sink_ == nullptr) return;

  std::string line = "thread: " + std::to_string(platform::CurrentThreadId()) + ", RUNTIME ERROR: " + message;
  if (code != 0) line += " error:" + HexCode(code);
  const std::string& symbol = symbols_ != nullptr ? symbols_->Symbol(position.symbol) : kNoText;
  line += " in \"" + FileName(position.file) + "\", line: " + std::to_string(position.line) +
          " ,pos: " + std::to_string(position.position) + ", sym: " + symbol;
  sink_->Print(CHANNEL_RUN, line);

  if (callStack.empty()) return;
  sink_->Print(CHANNEL_RUN, "TRACE:");
  for (const TraceFrame& frame : callStack) {
    sink_->Print(CHANNEL_RUN, "        " + frame.name + " : \"" + FileName(frame.position.file) +
                                  "\", line: " + std::to_string(frame.position.line) +
                                  ", pos: " + std::to_string(frame.position.position));
  }
}

}  // namespace script
