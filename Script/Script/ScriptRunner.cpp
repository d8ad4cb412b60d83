#include "Script/Script/ScriptRunner.h"

#include <cstdio>

#include "Script/Compiler/BinaryReader.h"
#include "Script/Compiler/FileSerializer.h"
#include "Script/Compiler/ScriptReader.h"
#include "kelvra/StdOutInterface.h"
#include "Script/Platform/SystemError.h"

namespace script {

ScriptKind ScriptKindOf(const std::string& path) {
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return SCRIPT_UNKNOWN;
  std::string_view extension = std::string_view(path).substr(dot);
  if (extension == ".kelvra") return SCRIPT_SOURCE;
  if (extension == ".bin") return SCRIPT_COMPILED;
  return SCRIPT_UNKNOWN;
}

ScriptRunner::ScriptRunner(const std::string& path, StdOutInterface* sink)
    : sink_(sink), interpreter_(&error_, sink), path_(path), kind_(ScriptKindOf(path)) {}

ScriptRunner::~ScriptRunner() { reader_.reset(); }

std::unique_ptr<Reader> ScriptRunner::CreateReader() {
  if (kind_ == SCRIPT_SOURCE) return std::make_unique<ScriptReader>(false, &interpreter_, &error_);
  if (kind_ == SCRIPT_COMPILED) return std::make_unique<BinaryReader>(&interpreter_, &error_);
  return nullptr;
}

bool ScriptRunner::Load() {
  constexpr const char* kWhere = "script::ScriptRunner::Load";
  reader_ = CreateReader();
  if (reader_ == nullptr) {
    sink_->Print(CHANNEL_BUILD, "Unknown script type!");
    return false;
  }
  int systemError = 0;
  interpreter_.RegisterScriptFile(path_, systemError);
  if (systemError == 0) {
    if (reader_->Read(path_, systemError)) {
      error_.Report(*sink_);
      interpreter_.SetLoaded(true);
      return true;
    }
    if (systemError == 0) {
      if (kind_ == SCRIPT_SOURCE && error_.File().empty()) {
        error_.SetLocation(path_, reader_->Line(), reader_->Column());
      }
      error_.Report(*sink_);
      return false;
    }
  }
  return ReportSystemError(systemError, kWhere);
}

bool ScriptRunner::ReportSystemError(int systemError, const char* function) {
  error_.RaiseNamed(ErrorCode::SYSTEM_ERROR, platform::SystemMessage(systemError), module::kScript, function);
  // The script that could not be read is named in the report.
  if (error_.File().empty()) error_.SetLocation(path_, 1, 1);
  error_.Report(*sink_);
  return false;
}

bool ScriptRunner::WriteProgram(FileSerializer& serializer, const std::string& path) {
  if (!interpreter_.IsLoaded()) return false;
  if (serializer.Serialize(path)) return true;
  error_.Report(*sink_);
  return false;
}

bool ScriptRunner::Execute() {
  if (error_.IsSet()) return false;
  const bool succeeded = interpreter_.Run();
  if (const std::optional<uint32_t> fault = interpreter_.Fault()) {
    char code[16];
    std::snprintf(code, sizeof code, "%x", *fault);
    sink_->Print(CHANNEL_RUN, std::string("SE Exception! 0x") + code);
    return false;
  }
  return succeeded;
}

}  // namespace script
