#include "Script/Compiler/FileSerializer.h"

#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Platform/SystemError.h"

namespace script {

namespace {

// Bytes collected before they go to the file.
constexpr std::size_t kFlushSize = 1 << 20;

}  // namespace

FileSerializer::FileSerializer(Interpreter& interpreter, Error& error)
    : interpreter_(interpreter), symbols_(interpreter.Symbols()), error_(error) {}

bool FileSerializer::Serialize(const std::string& path) {
  buffer_.clear();
  systemError_ = 0;
  if (file_.Open(path, systemError_)) {
    WriteHeaderStep();
    WriteSymbolsStep();
    interpreter_.WriteTree(*this);
    WriteEndStep();
    if (Flush() && file_.Commit(systemError_)) return true;
  }
  file_.Abandon();
  error_.RaiseNamed(ErrorCode::SYSTEM_ERROR, platform::SystemMessage(systemError_), module::kCompiler,
                    "script::Serializer::Serialize");
  error_.SetLocation(path, 1, 1);
  return false;
}

void FileSerializer::Put(std::string_view bytes) {
  buffer_.append(bytes);
  if (buffer_.size() >= kFlushSize) Flush();
}

bool FileSerializer::Flush() {
  if (systemError_ == 0) file_.Write(buffer_.data(), buffer_.size(), systemError_);
  buffer_.clear();
  return systemError_ == 0;
}

}  // namespace script
