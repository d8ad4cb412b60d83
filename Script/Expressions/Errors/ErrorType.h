#pragma once
// The built-in structure "Error", the type of error variables: members
// name, line, position, file, trace and symbol, which an error declaration
// fills from the running thread's last runtime error. One exists per
// program; it is never written in source.
#include <array>
#include <cstdint>

#include "Script/Expressions/Types/AggregateType.h"

namespace script {

struct LastRuntimeError;
class MemoryBlock;
class SymbolStore;

class ErrorType : public AggregateType {
 public:
  // Named "Error" (as leak reports and variable lists show it); declares
  // and lays out the members. Their names are predefined symbols but for
  // "file", which is interned into the store like the type's name.
  explicit ErrorType(SymbolStore& symbols);

  void SerializeBegin(Serializer*) override {}
  void SerializeBody(Serializer*) override {}
  void SerializeEnd(Serializer*) override {}

  // Writes the error object at block data + offset: the error's message,
  // line, position, file name, one-line trace and symbol text. A file or
  // symbol index outside its table gives an empty text.
  void Fill(MemoryBlock* block, uint32_t offset, const LastRuntimeError& error) const;

 private:
  enum Member { kName, kLine, kPosition, kFile, kTrace, kSymbol, kMemberCount };

  const SymbolStore* symbols_;
  std::array<uint32_t, kMemberCount> offsets_{};
};

}  // namespace script
