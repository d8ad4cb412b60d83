#pragma once
// What the compiled-file writer and the source-text writer share: writing a
// program in the steps header, symbol table and tree, into memory or into a
// file that replaces its target only once it is completely written.
#include <cstddef>
#include <string>
#include <string_view>

#include "Script/Foundation/Serializer.h"

namespace script {

class Error;
class Interpreter;
class SymbolStore;

class FileSerializer : public Serializer {
 public:
  FileSerializer(Interpreter& interpreter, Error& error);

  // The interpreter's program in this writer's format.
  std::string Serialize();
  // Writes the program to `path`. A file that cannot be created or written
  // fills the error with code 136, the system's message and the path,
  // leaves any earlier file at the path as it was, and gives false.
  bool Serialize(const std::string& path);

 protected:
  // The header and symbol table steps; a text has neither.
  virtual void WriteHeaderStep() {}
  virtual void WriteSymbolsStep() {}
  // What follows the tree.
  virtual void WriteEndStep() {}
  // Appends bytes to the output as they are.
  void Put(std::string_view bytes) { output_.append(bytes); }
  void Put(char byte) { output_.push_back(byte); }

  Interpreter& interpreter_;
  const SymbolStore& symbols_;

 private:
  Error& error_;
  std::string output_;
};

}  // namespace script
