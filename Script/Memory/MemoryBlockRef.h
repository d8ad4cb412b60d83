#pragma once
// A counted handle to an object inside a block: the block, the byte offset of
// the object in the block's data and the type seen there (which may differ
// from the block's type: a member, an element, a cast). Counts are atomic for
// the same reason as a block's.
#include <atomic>
#include <cstdint>

#include "Script/Memory/MemoryBlock.h"

namespace script {

class Memory;
class Type;

class MemoryBlockRef {
 public:
  MemoryBlockRef(const MemoryBlockRef&) = delete;
  MemoryBlockRef& operator=(const MemoryBlockRef&) = delete;

  uint32_t RefCount() const { return refCount_.load(std::memory_order_relaxed); }
  uint32_t Offset() const { return offset_; }
  // Null when the block could not be allocated.
  MemoryBlock* Block() const { return block_; }
  Type* GetType() const { return type_; }
  // The referenced object's bytes: block data + offset; null without a block.
  uint8_t* Data() const { return block_ != nullptr ? block_->Data() + offset_ : nullptr; }
  Memory* Heap() const { return heap_; }

  void AddRef() { refCount_.fetch_add(1, std::memory_order_relaxed); }
  // At zero the block is released and the handle unregistered and freed.
  void Release() {
    if (refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) Destroy(this);
  }
  // Points the handle, and so every holder of it, at another object: the
  // new block (which may be null) gains a count, the old one is released.
  void Retarget(Type* type, MemoryBlock* block, uint32_t offset) {
    if (block != nullptr) block->AddRef();
    MemoryBlock* old = block_;
    block_ = block;
    offset_ = offset;
    type_ = type;
    if (old != nullptr) old->Release();
  }

 private:
  friend class Memory;

  MemoryBlockRef(Memory* heap, Type* type, MemoryBlock* block, uint32_t offset)
      : heap_(heap), block_(block), type_(type), refCount_(1), offset_(offset) {}
  ~MemoryBlockRef() = default;
  static void Destroy(MemoryBlockRef* ref);

  Memory* heap_;
  MemoryBlock* block_;
  Type* type_;
  // Links of the heap's live-reference registry.
  MemoryBlockRef* prev_ = nullptr;
  MemoryBlockRef* next_ = nullptr;
  std::atomic<uint32_t> refCount_;
  uint32_t offset_;
};

}  // namespace script
