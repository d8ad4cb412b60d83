#pragma once
// The stack memory of every thread that runs script code, by thread id. The
// first entry is the main stack memory: it holds the real global frame that
// later threads share.
//
// Lock order: the map's lock is taken before the debugger handler's (a new
// stack memory creates its gate, a released one removes it); the position
// lookup of the debugger runs with no handler lock held. Stack memories are
// deleted under the map's lock, so an inspection under it never meets one
// half deleted.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "Script/Debugger/ThreadPositionSource.h"
#include "Script/Platform/CriticalSection.h"

namespace script {

class DebuggerHandler;
class Memory;
class StackMemory;
class StdOutInterface;
class SymbolStore;

class ThreadMap final : public ThreadPositionSource {
 public:
  ThreadMap(Memory* heap, const SymbolStore* symbols, StdOutInterface* sink, DebuggerHandler* debugger);
  ThreadMap(const ThreadMap&) = delete;
  ThreadMap& operator=(const ThreadMap&) = delete;
  ~ThreadMap() override;

  // The thread's stack memory, created (with its gate) on first use.
  StackMemory* GetStackMemory(uint32_t threadId);
  // Removes the thread's entry and deletes its stack memory.
  void ReleaseStackMemory(uint32_t threadId);
  // Gives a stack memory without frames a global frame that shares the main
  // stack memory's global storage; true when it had no frames.
  bool ShareGlobals(StackMemory* stack);
  StackMemory* Main() const;
  // The ids of the threads that have a stack memory, in no order.
  std::vector<uint32_t> ThreadIds() const;
  // Runs `read` on the thread's stack memory under the map's lock; false for
  // a thread without one. The thread itself may be changing its frames: read
  // a thread's frames only while it is halted or from the thread itself.
  bool Inspect(uint32_t threadId, const std::function<void(const StackMemory&)>& read) const;
  // As Inspect, on the main stack memory.
  bool InspectMain(const std::function<void(const StackMemory&)>& read) const;
  // Waits until every thread has released its stack memory (a callback on a
  // foreign thread may still run when the main run has ended), at most
  // `limit`; false when some thread still holds one.
  bool WaitUntilReleased(std::chrono::milliseconds limit);
  // Deletes every stack memory; the program's storage is then released.
  void ReleaseAll();

  bool CurrentPosition(uint32_t threadId, const Node*& statement, Scope*& scope) override;

 private:
  Memory* heap_;
  const SymbolStore* symbols_;
  StdOutInterface* sink_;
  DebuggerHandler* debugger_;
  mutable platform::CriticalSection lock_;
  std::condition_variable_any released_;
  std::unordered_map<uint32_t, StackMemory*> stacks_;
  StackMemory* main_ = nullptr;
};

}  // namespace script
