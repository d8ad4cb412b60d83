#pragma once
// A SessionEvents sink for tests of the public surface: it records break
// and breakpoint reports and lets a test wait, without sleeping, until a
// thread has halted at a line; and the way tests apply a debugger command.
//
// A halt is complete once both its break report and the debugger's pause
// have arrived (at a breakpoint the break report comes first, after a step
// in the pause does); a command issued earlier could find the debugger
// still running and be lost.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "kelvra/ScriptSession.h"
#include "kelvra/SessionEvents.h"

namespace script::test {

class SessionEventLog final : public SessionEvents {
 public:
  struct Report {
    uint32_t fileId;
    uint32_t lineIndex;
    uint32_t threadOrFlag;  // the halted thread, or the breakpoint's set flag
  };

  void OnBreak(uint32_t fileId, uint32_t lineIndex, uint32_t threadId) override {
    std::lock_guard lock(mutex_);
    breaks_.push_back(Report{fileId, lineIndex, threadId});
    changed_.notify_all();
  }
  void OnPause(uint32_t) override {
    std::lock_guard lock(mutex_);
    paused_ = true;
    ++pauses_;
    changed_.notify_all();
  }
  void OnBreakpoint(uint32_t fileId, uint32_t lineIndex, bool set) override {
    std::lock_guard lock(mutex_);
    breakpoints_.push_back(Report{fileId, lineIndex, set});
  }
  void OnThreadEnd(uint32_t threadId) override {
    std::lock_guard lock(mutex_);
    ended_.push_back(threadId);
  }

  // Forgets the reports so far: call before the command whose halt follows.
  void Mark() {
    std::lock_guard lock(mutex_);
    breaks_.clear();
    paused_ = false;
    pauses_ = 0;
  }
  // Waits until `count` gates have reported their pause since the mark: a
  // pause fans out to every thread, and a report still on its way after the
  // next mark would make a later halt look complete too early.
  bool WaitForPauses(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::minutes(1), [&] { return pauses_ >= count; });
  }
  // The break report of the halt at the line since the mark; a report with
  // lineIndex ~0 after a minute without one, so that a fault fails the test
  // instead of hanging it.
  Report WaitForHaltAt(uint32_t lineIndex) {
    std::unique_lock lock(mutex_);
    const Report* found = nullptr;
    const auto halted = [&] {
      for (const Report& report : breaks_) {
        if (report.lineIndex == lineIndex) found = &report;
      }
      return paused_ && found != nullptr;
    };
    if (!changed_.wait_for(lock, std::chrono::minutes(1), halted)) return Report{0, ~0u, 0};
    return *found;
  }
  // The threads whose end was reported, in order.
  std::vector<uint32_t> EndedThreads() {
    std::lock_guard lock(mutex_);
    return ended_;
  }
  // Confirmed breakpoint changes.
  std::vector<Report> Breakpoints() {
    std::lock_guard lock(mutex_);
    return breakpoints_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Report> breaks_;
  bool paused_ = false;
  std::size_t pauses_ = 0;
  std::vector<Report> breakpoints_;
  std::vector<uint32_t> ended_;
};

// Applies a command to a halted run. The engine reports a halt while it
// still holds the debugger, and a command that finds the debugger busy is
// dropped, as a user's click would be; a test tries again until it is taken.
inline bool Apply(ScriptSession& session, DebugCommand command) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!session.Command(command)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

}  // namespace script::test
