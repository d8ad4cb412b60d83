#pragma once
// The symbol ids of the tokens a node was read from, beyond its own symbol
// (the constant dimensions of an array type, the pieces of a literal); kept
// to write the node back.
#include <cstdint>
#include <vector>

#include "Script/Foundation/SourcePosition.h"

namespace script {

class Serializer;

class AggregateSymbol {
 public:
  void AddSymbol(uint32_t symbol) { symbols_.push_back(symbol); }
  const std::vector<uint32_t>& Symbols() const { return symbols_; }
  // Writes the symbols one after the other, at the node's position.
  void WriteSymbols(Serializer* serializer, SourcePosition position) const;

 private:
  std::vector<uint32_t> symbols_;
};

}  // namespace script
