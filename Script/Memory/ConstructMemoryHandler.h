#pragma once
// Builds the objects that zero bytes do not make valid (strings) in a new
// owned block. The heap runs it over every owned block whose type is not plain
// data, right after zero-filling; pointer cells stay null.
#include "Script/Memory/InstanceHandler.h"

namespace script {

class ConstructMemoryHandler final : public InstanceHandler {
 public:
  using InstanceHandler::InstanceHandler;

  void Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) override;
};

}  // namespace script
