#pragma once
// Finalises the storage of a block whose count fell to zero: releases the
// objects its reference cells point to, destroys its strings and scribbles
// 0xDD over owned bytes so that stale reads show.
#include "Script/Memory/InstanceHandler.h"

namespace script {

class DestroyMemoryHandler final : public InstanceHandler {
 public:
  // Written into a released reference cell.
  static constexpr uintptr_t kReleasedCell = 0xDEADDEADDEADDEADull;

  using InstanceHandler::InstanceHandler;

  void Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) override;
};

}  // namespace script
