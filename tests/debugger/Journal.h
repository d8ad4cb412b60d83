#pragma once
// A debugger-event sink that writes every event, and the statements a fake
// script thread runs, into one ordered journal that tests can wait on.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "Script/Debugger/DebuggerEvents.h"

namespace script::test {

class Journal : public DebuggerEvents {
 public:
  void OnStop(uint32_t threadId) override { Record("stop " + std::to_string(threadId)); }
  void OnRun(uint32_t threadId) override { Record("run " + std::to_string(threadId)); }
  void OnPause(uint32_t threadId) override { Record("pause " + std::to_string(threadId)); }
  void OnStepIn(uint32_t threadId) override { Record("in " + std::to_string(threadId)); }
  void OnStepOver(uint32_t threadId) override { Record("over " + std::to_string(threadId)); }
  void OnStepOut(uint32_t threadId) override { Record("out " + std::to_string(threadId)); }
  void OnBreakpoint(uint32_t file, uint32_t lineIndex, bool set) override;
  // "break file:lineIndex thread", with " scope" when a scope is given.
  void OnBreak(uint32_t file, uint32_t lineIndex, uint32_t threadId, Scope* scope) override;
  void OnThreadStart(uint32_t threadId) override { Record("start " + std::to_string(threadId)); }
  void OnThreadEnd(uint32_t threadId) override { Record("end " + std::to_string(threadId)); }

  void Record(const std::string& entry);
  // Blocks until `times` entries are `entry` or begin with `entry` and a blank.
  void WaitFor(const std::string& entry, std::size_t times = 1);
  // The entries so far, which are then forgotten.
  std::vector<std::string> Take();

 private:
  std::mutex mutex_;
  std::condition_variable added_;
  std::vector<std::string> entries_;
};

}  // namespace script::test
