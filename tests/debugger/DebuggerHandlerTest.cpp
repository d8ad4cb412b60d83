#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "Script/Debugger/DebuggerHandler.h"
#include "Script/Debugger/DebuggerStateMachine.h"
#include "Script/Debugger/ThreadPositionSource.h"
#include "tests/debugger/FakeScript.h"
#include "tests/debugger/Journal.h"

namespace script {
namespace {

using test::FakeScript;
using test::Journal;
using Entries = std::vector<std::string>;

class DebuggerHandlerTest : public ::testing::Test {
 protected:
  DebuggerHandlerTest() {
    machine_.Attach(&handler_);
    handler_.SetEvents(&journal_);
  }

  // Gates 7, 8, ... all paused, with the journal emptied.
  std::vector<FlowSemaphor*> PausedGates(uint32_t count) {
    std::vector<FlowSemaphor*> gates;
    for (uint32_t i = 0; i < count; ++i) gates.push_back(handler_.CreateGate(7 + i));
    handler_.Pause(0);
    journal_.Take();
    return gates;
  }

  Journal journal_;
  DebuggerStateMachine machine_;
  DebuggerHandler handler_{&machine_};
};

TEST_F(DebuggerHandlerTest, OnlyAGateCreatedAloneStartsPaused) {
  EXPECT_EQ(handler_.CreateGate(7)->Mode(), GateMode::Paused);
  EXPECT_EQ(handler_.CreateGate(8)->Mode(), GateMode::Running);
  handler_.RemoveGate(7);
  EXPECT_EQ(handler_.CreateGate(9)->Mode(), GateMode::Running);
  handler_.RemoveGate(8);
  handler_.RemoveGate(9);
  EXPECT_EQ(handler_.CreateGate(10)->Mode(), GateMode::Paused);
}

TEST_F(DebuggerHandlerTest, RunStopAndPauseReachEveryGate) {
  handler_.CreateGate(7);
  handler_.CreateGate(8);
  handler_.Pause(0);
  EXPECT_EQ(journal_.Take(), (Entries{"pause 7", "pause 8"}));
  handler_.Run();
  EXPECT_EQ(journal_.Take(), (Entries{"run 7", "run 8"}));
  handler_.Stop();
  EXPECT_EQ(journal_.Take(), (Entries{"stop 7", "stop 8"}));
}

TEST_F(DebuggerHandlerTest, StepsGoToOneGateInTurnSkippingNativeCode) {
  std::vector<FlowSemaphor*> gates = PausedGates(3);
  gates[1]->IncrementNativeCounter();
  struct Turn {
    void (DebuggerHandler::*command)();
    Entries reports;
  };
  const Turn turns[] = {
      {&DebuggerHandler::Step, {"over 7"}},
      {&DebuggerHandler::StepIn, {"in 9"}},  // 8 is in native code
      {&DebuggerHandler::StepOut, {"out 7"}},
  };
  for (const Turn& turn : turns) {
    (handler_.*turn.command)();
    EXPECT_EQ(journal_.Take(), turn.reports);
    handler_.Pause(0);
    journal_.Take();
  }

  gates[0]->IncrementNativeCounter();
  gates[2]->IncrementNativeCounter();
  handler_.Step();
  EXPECT_EQ(journal_.Take(), (Entries{"over 7", "over 8", "over 9"})) << "all in native code: all step";
}

// Thread 7 stands at statement 2 in the root scope; thread 8 has no position.
class FakePositions : public ThreadPositionSource {
 public:
  explicit FakePositions(FakeScript& script) : script_(script) {}
  bool CurrentPosition(uint32_t threadId, const Node*& statement, Scope*& scope) override {
    if (threadId != 7) return false;
    statement = script_.Statement(2);
    scope = &script_.Root();
    return true;
  }

 private:
  FakeScript& script_;
};

TEST_F(DebuggerHandlerTest, PositionOnlyPauseReportsAThreadInTurn) {
  FakeScript script({0, 0});
  FakePositions positions(script);
  PausedGates(2);
  handler_.Pause(DebuggerAction::kPositionOnly);
  EXPECT_TRUE(journal_.Take().empty()) << "no position source";

  handler_.SetPositionSource(&positions);
  handler_.Pause(DebuggerAction::kPositionOnly);
  EXPECT_TRUE(journal_.Take().empty()) << "thread 8's turn; it has no position";
  handler_.Pause(DebuggerAction::kPositionOnly);
  EXPECT_EQ(journal_.Take(), Entries{"break 0:2 7 scope"});
}

TEST_F(DebuggerHandlerTest, LeavingAThreadMidStepReportsAPosition) {
  FakeScript script({0, 0});
  FakePositions positions(script);
  handler_.SetPositionSource(&positions);
  FlowSemaphor* gate = handler_.CreateGate(7);
  machine_.StepIn();
  journal_.Take();

  gate->LeaveThread();
  EXPECT_EQ(journal_.Take(), Entries{"break 0:2 7 scope"});
  EXPECT_EQ(typeid(*machine_.Current()), typeid(DebuggerPause));

  gate->Pause(0);
  gate->Run();
  journal_.Take();
  gate->LeaveThread();
  EXPECT_TRUE(journal_.Take().empty()) << "not stepping";
}

class BreakpointTest : public DebuggerHandlerTest {
 protected:
  // Statements on lines 2 to 5 of file 0, the one on line 4 in the callee's
  // body; a second script's statement on line 3 is entered after the first.
  BreakpointTest() {
    script_.EnterLines(handler_);
    handler_.AddToLineTable(sameLine_.Statement(2));
  }

  FakeScript script_{{0, 0, 1, 0}};
  FakeScript sameLine_{{1, 1}};
};

TEST_F(BreakpointTest, SetsAndClearsInTheEnclosingScope) {
  EXPECT_TRUE(machine_.SetBreakpoint(0, 2, true));
  EXPECT_TRUE(script_.Root().Breakpoints().Contains(0, 3));
  EXPECT_TRUE(machine_.SetBreakpoint(0, 3, true));
  EXPECT_FALSE(script_.Root().Breakpoints().Contains(0, 4)) << "line 4 is the callee's";
  EXPECT_TRUE(machine_.SetBreakpoint(0, 2, false));
  EXPECT_TRUE(script_.Root().Breakpoints().Empty());
  EXPECT_EQ(journal_.Take(), (Entries{"bp 0:2 on", "bp 0:3 on", "bp 0:2 off"}));
}

TEST_F(BreakpointTest, RefusesLinesWithoutAStatement) {
  const struct {
    uint32_t file;
    uint32_t lineIndex;
  } cases[] = {{0, 0}, {0, 5}, {0, 50}, {1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.file) + ":" + std::to_string(c.lineIndex));
    EXPECT_FALSE(handler_.SetBreakpoint(c.file, c.lineIndex, true));
  }
  EXPECT_TRUE(journal_.Take().empty());
}

TEST_F(BreakpointTest, StatementOutsideAnyScopeTakesNone) {
  DebuggerHandler handler(&machine_);
  handler.AddToLineTable(&script_.Root());
  EXPECT_FALSE(handler.SetBreakpoint(0, 0, true));
}

}  // namespace
}  // namespace script
