#pragma once
// A visitor over the storage of a value of any type: the clear and destroy
// handlers derive from it. The heap runs its destroy handler over every block
// whose count falls to zero, before freeing it.
#include <cstdint>

namespace script {

class Memory;
class MemoryBlock;
class Type;

class InstanceHandler {
 public:
  explicit InstanceHandler(Memory* heap) : heap_(heap) {}
  InstanceHandler(const InstanceHandler&) = delete;
  InstanceHandler& operator=(const InstanceHandler&) = delete;
  virtual ~InstanceHandler() = default;

  // Visits the storage of one value of `type` at `offset` in the block's data.
  // With pointerFlag set, the storage is a pointer cell and the visit concerns
  // the object it points to.
  // The base walk: through the address of a pointer cell to the object it
  // points at, else over the storage itself, calling Visit for each member.
  virtual void Visit(bool pointerFlag, Type* type, MemoryBlock* block, uint32_t offset);

  Memory* Heap() const { return heap_; }

 protected:
  Memory* heap_;
};

}  // namespace script
