#pragma once
// What a reader and a runner need of a compiler.
#include <cstdint>
#include <string>

namespace script {

class Node;
class Reader;
class SymbolStore;

class InterpreterIf {
 public:
  virtual ~InterpreterIf() = default;

  // Resets tables and tree for a new compile; true when a root scope exists.
  virtual bool Init() = 0;
  // Hands one token to the compiler; false when it raised an error.
  virtual bool OnEvent(int32_t code, const std::string& text) = 0;
  // Whether the program may end after the tokens seen so far.
  virtual bool IsComplete() const = 0;
  // Executes the compiled program on the calling thread.
  virtual bool Run() = 0;
  // The root scope node; null before Init.
  virtual Node* GetRoot() const = 0;
  // The reader whose path, line and column new nodes take.
  virtual void SetCurrentReader(Reader* reader) = 0;
  virtual Reader* CurrentReader() const = 0;
  // The symbol table the compiler interns token texts in; a compiled file's
  // reader fills it from the file.
  virtual SymbolStore& Symbols() = 0;
};

}  // namespace script
