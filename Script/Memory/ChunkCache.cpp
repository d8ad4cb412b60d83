#include "Script/Memory/ChunkCache.h"

#include <cstdint>
#include <new>

namespace script::chunks {
namespace {

constexpr std::size_t kGranule = 16;
constexpr std::size_t kClassCount = 32;  // chunks up to 512 bytes are recycled
#if defined(__SANITIZE_ADDRESS__)
constexpr uint32_t kCachedPerClass = 0;  // let the sanitizer see every free
#else
constexpr uint32_t kCachedPerClass = 64;
#endif

struct FreeChunk {
  FreeChunk* next;
};

// The calling thread's free lists; drained when the thread ends.
struct ThreadCache {
  FreeChunk* heads[kClassCount] = {};
  uint32_t counts[kClassCount] = {};
  ~ThreadCache();
};

thread_local ThreadCache cache;
// Set once the thread's cache is gone (trivially destructible, so readable
// during the destruction of later thread and static objects).
thread_local bool cacheGone = false;

ThreadCache::~ThreadCache() {
  cacheGone = true;
  for (FreeChunk*& head : heads) {
    while (head != nullptr) {
      FreeChunk* next = head->next;
      ::operator delete(head);
      head = next;
    }
  }
}

// The size class of a chunk, or kClassCount when it is not recycled.
std::size_t ClassOf(std::size_t bytes) {
  std::size_t index = bytes == 0 ? 1 : (bytes + kGranule - 1) / kGranule;
  return index < kClassCount ? index : kClassCount;
}

}  // namespace

void* Allocate(std::size_t bytes) noexcept {
  std::size_t index = ClassOf(bytes);
  if (index < kClassCount && !cacheGone) {
    if (FreeChunk* chunk = cache.heads[index]) {
      cache.heads[index] = chunk->next;
      --cache.counts[index];
      return chunk;
    }
    bytes = index * kGranule;  // so that the chunk can serve its whole class
  }
  return ::operator new(bytes, std::nothrow);
}

void Free(void* chunk, std::size_t bytes) noexcept {
  std::size_t index = ClassOf(bytes);
  if (index < kClassCount && !cacheGone && cache.counts[index] < kCachedPerClass) {
    auto* node = static_cast<FreeChunk*>(chunk);
    node->next = cache.heads[index];
    cache.heads[index] = node;
    ++cache.counts[index];
    return;
  }
  ::operator delete(chunk);
}

}  // namespace script::chunks
