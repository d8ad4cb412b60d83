#pragma once
// Raw memory for blocks and references. Small chunks are recycled through
// per-thread free lists by 16-byte size class, so that creating and releasing
// short-lived storage needs neither malloc nor a lock. A chunk may be freed on
// another thread than the one that allocated it.
#include <cstddef>

namespace script::chunks {

// Null when the memory cannot be had.
void* Allocate(std::size_t bytes) noexcept;
// `bytes` must be the size the chunk was allocated with.
void Free(void* chunk, std::size_t bytes) noexcept;

}  // namespace script::chunks
