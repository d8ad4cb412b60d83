#pragma once
// The script heap. Holds the live-node registry; one heap is the
// process-wide active one, the heap of the interpreter created last.
#include <atomic>
#include <cstddef>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace script {

class Runable;

class Memory {
 public:
  Memory();
  Memory(const Memory&) = delete;
  Memory& operator=(const Memory&) = delete;
  ~Memory();

  static Memory* Active() { return active_.load(std::memory_order_acquire); }
  void MakeActive() { active_.store(this, std::memory_order_release); }

  // The live-node registry. A failure of the set itself leaves the node untracked.
  void TrackNode(const Runable* node);
  void UntrackNode(const Runable* node);
  std::size_t LiveNodeCount() const;
  // The live nodes in address order.
  std::vector<const Runable*> LiveNodes() const;

 private:
  static std::atomic<Memory*> active_;

  mutable std::mutex trackingLock_;
  std::unordered_set<const Runable*> nodes_;
};

}  // namespace script
