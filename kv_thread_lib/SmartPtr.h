#pragma once
// Shared ownership of one heap object through a counted control block. The
// count changes only atomically, so copies may be released on different
// threads; the last release deletes the object through the deleter policy.
#include <atomic>
#include <cstdint>

namespace kv_thread_lib {

// Deletes with `delete`, so a polymorphic object goes through its virtual destructor.
template <class T>
struct sp_free {
  void operator()(T* object) const { delete object; }
};

template <class T, class F = sp_free<T>>
class smart_ptr {
 public:
  // An empty handle still owns a control block, whose object is null.
  smart_ptr() : block_(new ControlBlock{nullptr}) {}
  explicit smart_ptr(T* object) : block_(new ControlBlock{object}) {}
  smart_ptr(const smart_ptr& other) : block_(other.block_) { block_->count.fetch_add(1, std::memory_order_relaxed); }
  // Handles of the same object (two empty ones included) stay as they are.
  smart_ptr& operator=(const smart_ptr& other) {
    if (get() == other.get()) return *this;
    other.block_->count.fetch_add(1, std::memory_order_relaxed);
    Release();
    block_ = other.block_;
    return *this;
  }
  ~smart_ptr() { Release(); }

  T* get() const { return block_->object; }
  T* operator->() const { return block_->object; }
  T& operator*() const { return *block_->object; }
  explicit operator bool() const { return block_->object != nullptr; }

 private:
  struct ControlBlock {
    explicit ControlBlock(T* owned) : object(owned) {}
    std::atomic<int32_t> count{1};
    T* object;
  };

  void Release() {
    if (block_->count.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    if (block_->object != nullptr) F()(block_->object);
    delete block_;
  }

  ControlBlock* block_;
};

}  // namespace kv_thread_lib
