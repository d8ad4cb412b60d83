// Script threads on real threads, driven through the state machine the way
// the application drives them. Each test waits for the journal entry after
// which the script thread is known to wait at its gate, so the entries it
// takes are complete. A thread that halts reports while it holds the state
// machine's lock, so a command issued right after can be dropped; Issue
// repeats it until it is taken, as a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "Script/Debugger/DebuggerHandler.h"
#include "Script/Debugger/DebuggerStateMachine.h"
#include "tests/debugger/FakeScript.h"
#include "tests/debugger/Journal.h"

namespace script {
namespace {

using test::FakeScript;
using test::Journal;
using Entries = std::vector<std::string>;

class GateThreadTest : public ::testing::Test {
 protected:
  GateThreadTest() {
    machine_.Attach(&handler_);
    handler_.SetEvents(&journal_);
    script_.EnterLines(handler_);
  }

  std::thread Launch(FlowSemaphor* gate, bool repeat = false) {
    return std::thread([this, gate, repeat] { script_.Run(gate, journal_, repeat); });
  }
  void Issue(bool (DebuggerStateMachine::*command)()) {
    while (!(machine_.*command)()) std::this_thread::yield();
  }
  // The first thread, held before its root.
  std::thread LaunchHeld() {
    std::thread thread = Launch(handler_.CreateGate(7));
    journal_.WaitFor("break 0:0 7");
    EXPECT_EQ(journal_.Take(), (Entries{"start 7", "run 7", "break 0:0 7"}));
    return thread;
  }

  Journal journal_;
  DebuggerStateMachine machine_;
  DebuggerHandler handler_{&machine_};
  // Statements 1, 2 and 5 in the root; 3 and 4 in a callee called by 2.
  FakeScript script_{{0, 0, 1, 1, 0}};
};

TEST_F(GateThreadTest, HeldAtTheFirstStatementUntilRun) {
  std::thread script = LaunchHeld();
  Issue(&DebuggerStateMachine::Run);
  script.join();
  EXPECT_EQ(journal_.Take(),
            (Entries{"run 7", "exec 1 7", "exec 2 7", "exec 3 7", "exec 4 7", "exec 5 7", "end 7", "stop 7"}));
}

TEST_F(GateThreadTest, StopBeforeRunEndsWithNoStatementRun) {
  std::thread script = LaunchHeld();
  handler_.Stop();
  script.join();
  EXPECT_EQ(journal_.Take(), (Entries{"stop 7", "end 7"}));
}

TEST_F(GateThreadTest, BreakpointHaltsEveryThreadAndRunResumes) {
  std::thread script = LaunchHeld();
  EXPECT_TRUE(machine_.SetBreakpoint(0, 3, true));
  Issue(&DebuggerStateMachine::Run);
  journal_.WaitFor("break 0:3 7", 2);
  EXPECT_EQ(journal_.Take(),
            (Entries{"bp 0:3 on", "run 7", "exec 1 7", "exec 2 7", "break 0:3 7", "pause 7", "break 0:3 7"}));
  Issue(&DebuggerStateMachine::Run);
  script.join();
  EXPECT_EQ(journal_.Take(), (Entries{"run 7", "exec 3 7", "exec 4 7", "exec 5 7", "end 7", "stop 7"}));
}

TEST_F(GateThreadTest, StopClosesTheWaitAtABreakpoint) {
  std::thread script = LaunchHeld();
  machine_.SetBreakpoint(0, 2, true);
  Issue(&DebuggerStateMachine::Run);
  journal_.WaitFor("break 0:2 7", 2);
  journal_.Take();
  Issue(&DebuggerStateMachine::Stop);
  script.join();
  EXPECT_EQ(journal_.Take(), (Entries{"stop 7", "end 7"}));
}

TEST_F(GateThreadTest, PauseHaltsAFreelyRunningThread) {
  std::thread script = Launch(handler_.CreateGate(7), true);
  journal_.WaitFor("break 0:0 7");
  journal_.Take();
  Issue(&DebuggerStateMachine::Run);
  journal_.WaitFor("exec 5 7", 2);
  EXPECT_TRUE(machine_.Pause(0));
  journal_.WaitFor("break");
  const Entries halted = journal_.Take();
  auto isBreak = [](const std::string& entry) { return entry.starts_with("break "); };
  auto isExec = [](const std::string& entry) { return entry.starts_with("exec "); };
  EXPECT_EQ(std::count_if(std::find_if(halted.begin(), halted.end(), isBreak), halted.end(), isExec), 0);
  Issue(&DebuggerStateMachine::Stop);
  script.join();
  EXPECT_EQ(journal_.Take(), (Entries{"stop 7", "end 7"})) << "no statement after the halt";
}

TEST_F(GateThreadTest, StepInStopsBeforeTheNextStatementAnywhere) {
  std::thread script = LaunchHeld();
  Issue(&DebuggerStateMachine::StepIn);
  journal_.WaitFor("break 0:1 7");
  EXPECT_EQ(journal_.Take(), (Entries{"in 7", "pause 7", "break 0:1 7"}));
  for (uint32_t next = 2; next <= 4; ++next) {
    Issue(&DebuggerStateMachine::StepIn);
    const std::string at = "break 0:" + std::to_string(next) + " 7";
    journal_.WaitFor(at);
    EXPECT_EQ(journal_.Take(), (Entries{"in 7", "pause 7", "exec " + std::to_string(next - 1) + " 7", at}));
  }
  Issue(&DebuggerStateMachine::Stop);
  script.join();
}

TEST_F(GateThreadTest, StepOverNeverStopsInsideTheCallee) {
  std::thread script = LaunchHeld();
  Issue(&DebuggerStateMachine::Step);
  journal_.WaitFor("pause 7");
  EXPECT_EQ(journal_.Take(), (Entries{"over 7", "break 0:1 7", "pause 7"}));
  Issue(&DebuggerStateMachine::Step);
  journal_.WaitFor("pause 7");
  EXPECT_EQ(journal_.Take(), (Entries{"over 7", "exec 1 7", "break 0:2 7", "pause 7"}));
  Issue(&DebuggerStateMachine::Step);
  journal_.WaitFor("pause 7");
  EXPECT_EQ(journal_.Take(), (Entries{"over 7", "exec 2 7", "exec 3 7", "exec 4 7", "break 0:5 7", "pause 7"}));
  Issue(&DebuggerStateMachine::Step);
  script.join();
  EXPECT_EQ(journal_.Take(), (Entries{"over 7", "exec 5 7", "end 7", "stop 7"}));
}

TEST_F(GateThreadTest, StepOutLeavesTheCalleeThenRunsToTheEnd) {
  std::thread script = LaunchHeld();
  machine_.SetBreakpoint(0, 3, true);
  Issue(&DebuggerStateMachine::Run);
  journal_.WaitFor("break 0:3 7", 2);
  journal_.Take();
  Issue(&DebuggerStateMachine::StepOut);
  journal_.WaitFor("pause 7");
  EXPECT_EQ(journal_.Take(), (Entries{"out 7", "exec 3 7", "exec 4 7", "break 0:5 7", "pause 7"}));
  Issue(&DebuggerStateMachine::StepOut);
  script.join();
  EXPECT_EQ(journal_.Take(), (Entries{"out 7", "run 7", "exec 5 7", "end 7", "stop 7"}));
}

TEST_F(GateThreadTest, StepOutAtTheTopLevelRunsToTheEnd) {
  std::thread script = LaunchHeld();
  Issue(&DebuggerStateMachine::StepOut);
  script.join();
  EXPECT_EQ(journal_.Take(),
            (Entries{"out 7", "run 7", "exec 1 7", "exec 2 7", "exec 3 7", "exec 4 7", "exec 5 7", "end 7", "stop 7"}));
}

TEST_F(GateThreadTest, TwoThreadsTakeTurnsForSteps) {
  FlowSemaphor* first = handler_.CreateGate(7);
  FlowSemaphor* second = handler_.CreateGate(8);
  Issue(&DebuggerStateMachine::Run);
  machine_.SetBreakpoint(0, 2, true);
  std::thread a = Launch(first);
  journal_.WaitFor("break 0:2 7", 2);
  std::thread b = Launch(second);
  journal_.WaitFor("break 0:0 8");
  journal_.Take();

  Issue(&DebuggerStateMachine::Step);
  journal_.WaitFor("pause 8");
  EXPECT_EQ(journal_.Take(),
            (Entries{"over 7", "exec 2 7", "exec 3 7", "exec 4 7", "break 0:5 7", "pause 7", "pause 8"}));
  Issue(&DebuggerStateMachine::Step);
  journal_.WaitFor("pause 8");
  EXPECT_EQ(journal_.Take(), (Entries{"over 8", "break 0:1 8", "pause 7", "pause 8"}));

  Issue(&DebuggerStateMachine::Stop);
  a.join();
  b.join();
  Entries rest = journal_.Take();
  std::sort(rest.begin(), rest.end());
  EXPECT_EQ(rest, (Entries{"end 7", "end 8", "stop 7", "stop 8"}));
}

TEST_F(GateThreadTest, ALaterThreadHaltingWhileNothingRunsGoesOn) {
  handler_.CreateGate(7);
  FlowSemaphor* later = handler_.CreateGate(8);
  machine_.SetBreakpoint(0, 2, true);
  journal_.Take();
  std::thread script = Launch(later);
  script.join();
  EXPECT_EQ(journal_.Take(), (Entries{"start 8", "run 8", "exec 1 8", "break 0:2 8", "break 0:2 8", "exec 2 8",
                                      "exec 3 8", "exec 4 8", "exec 5 8", "end 8", "stop 8"}));
}

}  // namespace
}  // namespace script
