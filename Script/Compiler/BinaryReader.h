#pragma once
// Reads a compiled script file: checks its header, fills the compiler's
// symbol table from the file's and feeds the token stream to the compiler,
// which compiles the program again.
#include <cstdint>
#include <string>
#include <vector>

#include "Script/Compiler/Reader.h"

namespace script {

class BinaryReader : public Reader {
 public:
  BinaryReader(InterpreterIf* interpreter, Error* error) : Reader(false, interpreter, error) {}

  // Reads a whole compiled file. A damaged file raises CORRUPTED_FILE, a
  // token that names no stored symbol SYMBOL_NOT_FOUND; a token the
  // compiler rejects, the compiler's error.
  bool OnRead(const char* text, std::size_t length) override;

  // The header values of the file read last.
  const std::string& BuildStamp() const { return buildStamp_; }
  uint16_t FirstHeaderValue() const { return firstHeaderValue_; }
  uint16_t SecondHeaderValue() const { return secondHeaderValue_; }

 private:
  using Cursor = const unsigned char*;

  // Each step reads from `at` (left after what it read) up to `end`.
  bool OnHeader(Cursor& at, Cursor end);
  bool OnSymbols(Cursor& at, Cursor end);
  bool OnTokens(Cursor at, Cursor end);
  bool Corrupted(const char* function);

  std::string buildStamp_;
  uint16_t firstHeaderValue_ = 1;
  uint16_t secondHeaderValue_ = 0;
  static constexpr int32_t kNoToken = -1;
  // The token code of every symbol a token may name, by symbol id.
  std::vector<int32_t> codes_;
};

}  // namespace script
