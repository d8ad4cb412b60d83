#include "Script/Compiler/FileSerializer.h"

#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Platform/ReplacingFile.h"
#include "Script/Platform/SystemError.h"

namespace script {

FileSerializer::FileSerializer(Interpreter& interpreter, Error& error)
    : interpreter_(interpreter), symbols_(interpreter.Symbols()), error_(error) {}

std::string FileSerializer::Serialize() {
  output_.clear();
  WriteHeaderStep();
  WriteSymbolsStep();
  interpreter_.WriteTree(*this);
  WriteEndStep();
  return std::move(output_);
}

bool FileSerializer::Serialize(const std::string& path) {
  int systemError = 0;
  platform::ReplacingFile file;
  if (file.Open(path, systemError)) {
    const std::string bytes = Serialize();
    if (file.Write(bytes.data(), bytes.size(), systemError) && file.Commit(systemError)) return true;
  }
  error_.RaiseNamed(ErrorCode::SYSTEM_ERROR, platform::SystemMessage(systemError), module::kCompiler,
                    "script::Serializer::Serialize");
  error_.SetLocation(path, 1, 1);
  return false;
}

}  // namespace script
