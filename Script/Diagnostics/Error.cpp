#include "Script/Diagnostics/Error.h"

#include <cstring>

#include "kelvra/StdOutInterface.h"

namespace script {

void Error::SetError(int32_t code, const std::string& name, const char* modulePath, const char* function,
                     int32_t moduleLine) {
  code_ = code;
  name_ = name;
  const char* base = modulePath;
  for (const char* c = modulePath; *c != '\0'; ++c) {
    if (*c == '\\' || *c == '/') base = c + 1;
  }
  module_ = base;
  function_ = function;
  moduleLine_ = moduleLine;
}

bool Error::Raise(ErrorCode code, const char* module, const char* function, int32_t moduleLine) {
  return RaiseNamed(code, ErrorName(code), module, function, moduleLine);
}

bool Error::RaiseNamed(ErrorCode code, const std::string& name, const char* module, const char* function,
                       int32_t moduleLine) {
  SetError(static_cast<int32_t>(code), name, module, function, moduleLine);
  return false;
}

void Error::Clear(const char* module, const char* function, int32_t moduleLine) {
  RaiseNamed(ErrorCode::NO_ERROR, ErrorName(ErrorCode::NO_ERROR), module, function, moduleLine);
}

void Error::SetLocation(const std::string& file, int32_t line, int32_t position) {
  file_ = file;
  if (nodePosition_.symbol != 0) {
    line_ = static_cast<int32_t>(nodePosition_.line);
    position_ = static_cast<int32_t>(nodePosition_.position);
  } else {
    line_ = line;
    position_ = position;
  }
}

void Error::Report(StdOutInterface& sink) const {
  if (code_ == 0) {
    sink.Print(CHANNEL_BUILD, "Build succeeded.");
    return;
  }
  sink.Print(CHANNEL_BUILD, "ERROR: " + name_ + " in \"" + file_ + "\", line: " + std::to_string(line_) +
                                ", pos: " + std::to_string(position_));
  if (!trace_.empty()) {
    sink.Print(CHANNEL_BUILD, "TRACE:");
    for (const std::string& line : trace_) sink.Print(CHANNEL_BUILD, line);
  }
  sink.Print(CHANNEL_BUILD, std::string("INTERNAL: ") + module_ + "(" + std::to_string(moduleLine_) +
                                "): " + function_);
}

}  // namespace script
