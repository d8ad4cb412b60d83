#pragma once
// The writer that nodes serialize themselves into: the compiled-file writer
// and the source-text writer implement it.
#include <cstddef>
#include <cstdint>

#include "Script/Foundation/SourcePosition.h"

namespace script {

class Serializer {
 public:
  virtual ~Serializer() = default;

  // Writes bytes as the writer's format has them.
  virtual bool Write(const char* bytes, std::size_t length) = 0;
  // Writes the symbol of a node position (its symbol id).
  virtual bool WriteSymbol(const SourcePosition& position) = 0;
  // Writes the opening spelling of a token code, if it has one.
  virtual bool WriteToken(int32_t code) = 0;
  // Writes the closing spelling of a token code, if it has one.
  virtual bool WriteEndToken(int32_t code) = 0;
};

}  // namespace script
