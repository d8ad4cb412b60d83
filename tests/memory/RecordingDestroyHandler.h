#pragma once
// A destroy handler for heap tests: records every visit the heap makes (from
// any thread), then finalises the block as the heap's own handler does.
#include <mutex>
#include <vector>

#include "Script/Memory/DestroyMemoryHandler.h"
#include "Script/Memory/InstanceHandler.h"

namespace script::test {

struct DestroyVisit {
  bool pointerFlag;
  Type* type;
  MemoryBlock* block;
  uint32_t offset;
};

class RecordingDestroyHandler final : public InstanceHandler {
 public:
  RecordingDestroyHandler(Memory* heap, std::vector<DestroyVisit>* visits)
      : InstanceHandler(heap), destroy_(heap), visits_(visits) {}

  void Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset) override {
    {
      std::lock_guard lock(lock_);
      visits_->push_back({pointerFlag, type, block, offset});
    }
    destroy_.Visit(pointerFlag, type, block, offset);
  }

 private:
  DestroyMemoryHandler destroy_;
  std::mutex lock_;
  std::vector<DestroyVisit>* visits_;
};

}  // namespace script::test
