#pragma once
// The writer that nodes serialize themselves into.
#include <cstdint>

#include "Script/Foundation/SourcePosition.h"

namespace script {

class Serializer {
 public:
  virtual ~Serializer() = default;

  // Writes the symbol of a node position (its symbol id).
  virtual bool WriteSymbol(const SourcePosition& position) = 0;
  // Writes the opening spelling of a token code, if it has one.
  virtual bool WriteToken(int32_t code) = 0;
  // Writes the closing spelling of a token code, if it has one.
  virtual bool WriteEndToken(int32_t code) = 0;
};

}  // namespace script
