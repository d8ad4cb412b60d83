#pragma once
// Scans source text into tokens.
#include <string>

#include "Script/Compiler/Reader.h"

namespace script {

class ScriptReader : public Reader {
 public:
  ScriptReader(bool include, InterpreterIf* interpreter, Error* error) : Reader(include, interpreter, error) {}

  bool OnRead(const char* text, std::size_t length) override;

 private:
  // The helpers below take the scan cursor by reference and leave it after
  // what they consumed; line_ and column_ follow the cursor.

  // Classifies a finished word and passes it on.
  bool ProcessToken(const char* word, std::size_t length);
  // Operator, punctuation, comment or string constant at the cursor.
  bool ProcessOperator(const char*& cursor);
  // Reads a string constant and passes it on.
  bool ProcessConstString(const char*& cursor);
  // Reads a string constant into token_, resolving escapes.
  bool EndConstString(const char*& cursor);
  bool SkipLongComment(const char*& cursor);
  void SkipLineComment(const char*& cursor);

  std::string token_;  // text of the token being passed on
};

}  // namespace script
