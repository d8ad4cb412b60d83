#pragma once
// The symbol ids of the tokens a node was read from, beyond its own symbol
// (the constant dimensions of an array type, the pieces of a literal); kept
// to write the node back.
#include <cstdint>
#include <vector>

namespace script {

class AggregateSymbol {
 public:
  void AddSymbol(uint32_t symbol) { symbols_.push_back(symbol); }
  const std::vector<uint32_t>& Symbols() const { return symbols_; }

 private:
  std::vector<uint32_t> symbols_;
};

}  // namespace script
