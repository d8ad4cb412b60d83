#pragma once
// What the fuzz targets share: a compile of source text or of a compiled
// file held in memory, with its own compiler, error record and silent sink.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Script/Compiler/BinaryReader.h"
#include "Script/Compiler/BinarySerializer.h"
#include "Script/Compiler/Interpreter.h"
#include "Script/Compiler/ScriptReader.h"
#include "Script/Compiler/TextSerializer.h"
#include "Script/Diagnostics/Error.h"
#include "kelvra/StdOutInterface.h"

namespace script::fuzz {

class SilentSink final : public StdOutInterface {
 public:
  void Print(int32_t, const std::string&) override {}
  void Clear() override {}
};

class Compilation {
 public:
  // Compiles source text; a zero byte ends it, as in a file.
  bool FromSource(const std::string& text) {
    reader_ = std::make_unique<ScriptReader>(false, &interpreter_, &error_);
    return reader_->OnInit(text.c_str(), text.size()) && reader_->OnRead(text.c_str(), text.size());
  }
  // Compiles the token stream of a compiled file.
  bool FromCompiled(const std::string& bytes) {
    reader_ = std::make_unique<BinaryReader>(&interpreter_, &error_);
    return reader_->OnInit(bytes.c_str(), bytes.size()) && reader_->OnRead(bytes.c_str(), bytes.size());
  }

  std::string CompiledFile() { return BinarySerializer(interpreter_, error_).Serialize(); }
  std::string Text() { return TextSerializer(interpreter_, error_).Serialize(); }

 private:
  SilentSink sink_;
  Error error_;
  Interpreter interpreter_{&error_, &sink_};
  std::unique_ptr<Reader> reader_;
};

inline std::string Bytes(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace script::fuzz
