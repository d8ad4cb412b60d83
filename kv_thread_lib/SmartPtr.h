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
  smart_ptr() : m_block(new ControlBlock{nullptr}) {}
  explicit smart_ptr(T* object) : m_block(new ControlBlock{object}) {}
  smart_ptr(const smart_ptr& other) : m_block(other.m_block) { m_block->count.fetch_add(1, std::memory_order_relaxed); }
  // Handles of the same object (two empty ones included) stay as they are.
  smart_ptr& operator=(const smart_ptr& other) {
    if (get() == other.get()) return *this;
    other.m_block->count.fetch_add(1, std::memory_order_relaxed);
    Release();
    m_block = other.m_block;
    return *this;
  }
  ~smart_ptr() { Release(); }

  T* get() const { return m_block->object; }
  T* operator->() const { return m_block->object; }
  T& operator*() const { return *m_block->object; }
  explicit operator bool() const { return m_block->object != nullptr; }

 private:
  struct ControlBlock {
    explicit ControlBlock(T* owned) : object(owned) {}
    std::atomic<int32_t> count{1};
    T* object;
  };

  void Release() {
    if (m_block->count.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    if (m_block->object != nullptr) F()(m_block->object);
    delete m_block;
  }

  ControlBlock* m_block;
};

}  // namespace kv_thread_lib
