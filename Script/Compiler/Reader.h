#pragma once
// The base of the readers that feed tokens to the compiler.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "Script/Diagnostics/ErrorCode.h"

namespace script {

class Error;
class InterpreterIf;

using TokenTable = std::unordered_map<std::string, int32_t>;

// Keyword texts and their token codes.
const TokenTable& KeywordTable();
// Operator and punctuation texts and their token codes.
const TokenTable& OperatorTable();

// Token code of a word that is no keyword: 2 for a name, 3 to 6 and 8 for
// the number forms, 0 for anything else. A hexadecimal or binary word with
// too many digits gives 0 and names its error in `overflow`, which is left
// alone otherwise. The digits themselves are not checked.
int32_t WordCode(std::string_view word, ErrorCode& overflow);

class Reader {
 public:
  // Makes the new reader the interpreter's current reader.
  Reader(bool include, InterpreterIf* interpreter, Error* error);
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  virtual ~Reader() = default;

  // Opens and reads a whole file and scans it. When the file cannot be
  // opened, systemError receives the system error number and the result is false.
  virtual bool Read(const std::string& path, int& systemError);
  // Clears the error, resets line and column; a non-include reader also
  // initialises the compiler.
  virtual bool OnInit(const char* text, std::size_t length);
  // Scans a whole text handed over with a terminating zero byte.
  virtual bool OnRead(const char* text, std::size_t length) = 0;
  // Passes one token to the compiler.
  virtual bool OnToken(int32_t code, const std::string& text);

  const std::string& Path() const { return path_; }
  int32_t Line() const { return line_; }
  int32_t Column() const { return column_; }
  bool IsInclude() const { return include_; }

 protected:
  Error* error_;
  InterpreterIf* interpreter_;
  const TokenTable& keywords_;
  const TokenTable& operators_;
  std::string path_;
  int32_t line_ = 1;
  int32_t column_ = 1;
  bool include_;
};

}  // namespace script
