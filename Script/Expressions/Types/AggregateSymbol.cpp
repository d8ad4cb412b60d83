#include "Script/Expressions/Types/AggregateSymbol.h"

#include "Script/Foundation/Serializer.h"

namespace script {

void AggregateSymbol::WriteSymbols(Serializer* serializer, SourcePosition position) const {
  for (uint32_t symbol : symbols_) {
    position.symbol = symbol;
    serializer->WriteSymbol(position);
  }
}

}  // namespace script
