#pragma once
// Where a node's token came from: symbol, file, line and column.
#include <cstdint>

namespace script {

struct SourcePosition {
  uint32_t symbol = 0;  // symbol id of the token text; 0 means none
  uint32_t file = 0;    // index into the interpreter's file table
  uint32_t line = 0;
  uint32_t position = 0;

  bool operator==(const SourcePosition&) const = default;
};

}  // namespace script
