#pragma once
// Resets the storage of a value to its initial state: strings emptied (their
// buffers kept), structures and arrays member by member, everything else
// zeroed. Foreign memory is left as it is.
#include "Script/Memory/InstanceHandler.h"

namespace script {

class ClearMemoryHandler final : public InstanceHandler {
 public:
  using InstanceHandler::InstanceHandler;

  void Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) override;
};

}  // namespace script
