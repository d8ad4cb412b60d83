#pragma once
// What the compiled-file writer and the source-text writer share: writing a
// program to a file in the steps header, symbol table and tree. The file
// replaces its target only once it is completely written.
#include <cstddef>
#include <string>
#include <string_view>

#include "Script/Foundation/Serializer.h"
#include "Script/Platform/ReplacingFile.h"

namespace script {

class Error;
class Interpreter;
class SymbolStore;

class FileSerializer : public Serializer {
 public:
  FileSerializer(Interpreter& interpreter, Error& error);

  // Writes the interpreter's program to `path`. A file that cannot be
  // created or written fills the error with code 136, the system's message
  // and the path, leaves any earlier file at the path as it was, and gives
  // false.
  bool Serialize(const std::string& path);

 protected:
  // The header and symbol table steps; a text has neither.
  virtual void WriteHeaderStep() {}
  virtual void WriteSymbolsStep() {}
  // What follows the tree.
  virtual void WriteEndStep() {}
  // Appends bytes to the file as they are.
  void Put(std::string_view bytes);
  void Put(char byte) { buffer_.push_back(byte); }

  Interpreter& interpreter_;
  const SymbolStore& symbols_;

 private:
  // Hands the buffered bytes to the file; false once a write has failed.
  bool Flush();

  Error& error_;
  platform::ReplacingFile file_;
  std::string buffer_;
  int systemError_ = 0;
};

}  // namespace script
