#pragma once
// Scans source text into tokens.
#include <string>

#include "Script/Compiler/Reader.h"

namespace script {

class ScriptReader : public Reader {
 public:
  ScriptReader(bool include, InterpreterIf* interpreter, Error* error) : Reader(include, interpreter, error) {}

  bool OnRead(const char* text, std::size_t length) override;
};

}  // namespace script
