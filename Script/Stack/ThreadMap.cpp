#include "Script/Stack/ThreadMap.h"

#include <mutex>

#include "Script/Debugger/DebuggerHandler.h"
#include "Script/Stack/StackMemory.h"

namespace script {

ThreadMap::ThreadMap(Memory* heap, const SymbolStore* symbols, StdOutInterface* sink, DebuggerHandler* debugger)
    : heap_(heap), symbols_(symbols), sink_(sink), debugger_(debugger) {}

ThreadMap::~ThreadMap() { ReleaseAll(); }

void ThreadMap::ReleaseAll() {
  std::lock_guard guard(lock_);
  for (auto& [threadId, stack] : stacks_) delete stack;
  stacks_.clear();
  main_ = nullptr;
}

StackMemory* ThreadMap::GetStackMemory(uint32_t threadId) {
  std::lock_guard guard(lock_);
  auto [entry, created] = stacks_.try_emplace(threadId, nullptr);
  if (created) {
    entry->second = new StackMemory(heap_, threadId, symbols_, sink_, debugger_);
    if (stacks_.size() == 1) main_ = entry->second;
  }
  return entry->second;
}

void ThreadMap::ReleaseStackMemory(uint32_t threadId) {
  std::lock_guard guard(lock_);
  auto entry = stacks_.find(threadId);
  if (entry == stacks_.end()) return;
  if (main_ == entry->second) main_ = nullptr;
  delete entry->second;
  stacks_.erase(entry);
  released_.notify_all();
}

bool ThreadMap::WaitUntilReleased(std::chrono::milliseconds limit) {
  std::unique_lock guard(lock_);
  return released_.wait_for(guard, limit, [this] { return stacks_.empty(); });
}

bool ThreadMap::ShareGlobals(StackMemory* stack) {
  if (stack->FrameCount() != 0) return false;
  // Under the lock: the main stack memory may be released meanwhile.
  std::lock_guard guard(lock_);
  if (main_ != nullptr && main_ != stack && main_->FrameCount() > 0) stack->PushSharedFrame(*main_->Frame(0));
  return true;
}

StackMemory* ThreadMap::Main() const {
  std::lock_guard guard(lock_);
  return main_;
}

std::vector<uint32_t> ThreadMap::ThreadIds() const {
  std::lock_guard guard(lock_);
  std::vector<uint32_t> ids;
  ids.reserve(stacks_.size());
  for (const auto& [threadId, stack] : stacks_) ids.push_back(threadId);
  return ids;
}

bool ThreadMap::Inspect(uint32_t threadId, const std::function<void(const StackMemory&)>& read) const {
  std::lock_guard guard(lock_);
  auto entry = stacks_.find(threadId);
  if (entry == stacks_.end()) return false;
  read(*entry->second);
  return true;
}

bool ThreadMap::InspectMain(const std::function<void(const StackMemory&)>& read) const {
  std::lock_guard guard(lock_);
  if (main_ == nullptr) return false;
  read(*main_);
  return true;
}

bool ThreadMap::CurrentPosition(uint32_t threadId, const Node*& statement, Scope*& scope) {
  std::lock_guard guard(lock_);
  auto entry = stacks_.find(threadId);
  if (entry == stacks_.end()) return false;
  const StackMemory& stack = *entry->second;
  int32_t index = stack.CurrentFrameIndex();
  if (index < 0) return false;
  const StackFrame* frame = stack.Frame(index);
  if (frame->body == nullptr && index > 0) frame = stack.Frame(index - 1);
  statement = frame->currentStatement;
  scope = frame->body;
  return statement != nullptr;
}

}  // namespace script
