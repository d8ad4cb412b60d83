#include "Script/Memory/Memory.h"

#include <algorithm>
#include <new>

namespace script {

std::atomic<Memory*> Memory::active_{nullptr};

Memory::Memory() { MakeActive(); }

Memory::~Memory() {
  Memory* self = this;
  active_.compare_exchange_strong(self, nullptr, std::memory_order_acq_rel);
}

void Memory::TrackNode(const Runable* node) {
  std::lock_guard lock(trackingLock_);
  try {
    nodes_.insert(node);
  } catch (const std::bad_alloc&) {
    // the node simply stays untracked
  }
}

void Memory::UntrackNode(const Runable* node) {
  std::lock_guard lock(trackingLock_);
  nodes_.erase(node);
}

std::size_t Memory::LiveNodeCount() const {
  std::lock_guard lock(trackingLock_);
  return nodes_.size();
}

std::vector<const Runable*> Memory::LiveNodes() const {
  std::vector<const Runable*> live;
  {
    std::lock_guard lock(trackingLock_);
    live.assign(nodes_.begin(), nodes_.end());
  }
  std::sort(live.begin(), live.end(), std::less<const Runable*>());
  return live;
}

}  // namespace script
