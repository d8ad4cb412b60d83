#pragma once
// A reference-counted block of script data. Owned blocks carry their bytes
// right after the header (zero-filled at creation); foreign blocks describe
// memory the engine does not own, such as an address returned by native code.
//
// Counts are atomic: script threads and native callback threads share blocks
// (globals, pointees), so plain counters would race. An increment is a relaxed
// atomic add; the release that drops the count from 1 frees the block.
#include <atomic>
#include <cstdint>

namespace script {

class Memory;
class Type;

class alignas(16) MemoryBlock {
 public:
  // Bit 31 of the count word: the block is pinned (lock built-in) and is
  // never freed while set, since the word cannot fall from 1 to 0.
  static constexpr uint32_t LOCKED = 0x80000000u;
  static constexpr uint32_t kCountMask = 0x7FFFFFFFu;
  // Bits of the flags word.
  static constexpr uint32_t BLOCK_FOREIGN = 1u;  // the data lies in memory the engine does not own
  static constexpr uint32_t BLOCK_MAPPED = 2u;   // the data range is in the heap's address map

  MemoryBlock(const MemoryBlock&) = delete;
  MemoryBlock& operator=(const MemoryBlock&) = delete;

  Type* GetType() const { return type_; }
  uint8_t* Data() const { return data_; }
  uint32_t Size() const { return size_; }
  uint32_t Flags() const { return flags_; }
  bool IsForeign() const { return (flags_ & BLOCK_FOREIGN) != 0; }
  bool IsMapped() const { return (flags_ & BLOCK_MAPPED) != 0; }
  // The heap the block belongs to; null once that heap is gone.
  Memory* Heap() const { return heap_; }

  // The whole count word, LOCKED bit included.
  uint32_t CountWord() const { return refCount_.load(std::memory_order_relaxed); }
  uint32_t Holders() const { return CountWord() & kCountMask; }
  bool IsLocked() const { return (CountWord() & LOCKED) != 0; }

  void AddRef() { refCount_.fetch_add(1, std::memory_order_relaxed); }
  // Subtracts one from the count word; the holder that drops it from exactly
  // 1 runs the heap's destroy visit over the block and frees it.
  void Release() {
    if (refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) Destroy(this);
  }
  void Lock() { refCount_.fetch_or(LOCKED, std::memory_order_relaxed); }
  void Unlock() { refCount_.fetch_and(kCountMask, std::memory_order_relaxed); }

 private:
  friend class Memory;
  friend class MemoryBlockRef;  // drops its block's count on its own release

  MemoryBlock(Memory* heap, Type* type, uint8_t* data, uint32_t size, uint32_t flags)
      : heap_(heap), type_(type), data_(data), refCount_(1), size_(size), flags_(flags) {}
  ~MemoryBlock() = default;
  static void Destroy(MemoryBlock* block);

  Memory* heap_;
  Type* type_;
  uint8_t* data_;
  // Links of the heap's live-block registry.
  MemoryBlock* prev_ = nullptr;
  MemoryBlock* next_ = nullptr;
  std::atomic<uint32_t> refCount_;
  uint32_t size_;
  uint32_t flags_;
};

}  // namespace script
