#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Script/Debugger/DebuggerStateMachine.h"
#include "Script/Debugger/FlowSemaphor.h"
#include "tests/debugger/FakeScript.h"
#include "tests/debugger/Journal.h"

namespace script {
namespace {

using test::Journal;

enum Command { kStop, kRun, kPause, kStepIn, kStep, kStepOut };

void Apply(FlowSemaphor& gate, Command command) {
  switch (command) {
    case kStop: return gate.Stop();
    case kRun: return gate.Run();
    case kPause: return gate.Pause(0);
    case kStepIn: return gate.StepIn();
    case kStep: return gate.Step();
    case kStepOut: return gate.StepOut();
  }
}

struct Outcome {
  GateMode mode;
  const char* report;  // "" when the command does nothing
};

class FlowSemaphorTest : public ::testing::Test {
 protected:
  // A gate brought into the mode the way a thread's gate gets there.
  std::unique_ptr<FlowSemaphor> GateIn(GateMode mode) {
    if (mode == GateMode::Running) return std::make_unique<FlowSemaphor>(&machine_, &journal_, 7, mode);
    auto gate = std::make_unique<FlowSemaphor>(&machine_, &journal_, 7, GateMode::Paused);
    if (mode == GateMode::Stopped) gate->Stop();
    if (mode == GateMode::SteppingIn) gate->StepIn();
    if (mode == GateMode::SteppingOver) gate->Step();
    if (mode == GateMode::SteppingOut) gate->StepOut();
    return gate;
  }

  DebuggerStateMachine machine_;
  Journal journal_;
};

TEST_F(FlowSemaphorTest, FollowsTheTransitionTable) {
  using enum GateMode;
  const GateMode modes[] = {Stopped, Running, Paused, SteppingIn, SteppingOver, SteppingOut};
  // Rows: from mode; columns: Stop, Run, Pause, StepIn, Step, StepOut.
  const Outcome table[6][6] = {
      {{Stopped, ""}, {Stopped, ""}, {Stopped, ""}, {Stopped, ""}, {Stopped, ""}, {Stopped, ""}},
      {{Stopped, "stop"}, {Running, ""}, {Paused, "pause"}, {Running, ""}, {Running, ""}, {Running, ""}},
      {{Stopped, "stop"}, {Running, "run"}, {Paused, "pause"}, {SteppingIn, "in"}, {SteppingOver, "over"},
       {SteppingOut, "out"}},
      {{Stopped, "stop"}, {SteppingIn, ""}, {Paused, "pause"}, {SteppingIn, ""}, {SteppingIn, ""}, {SteppingIn, ""}},
      {{Stopped, "stop"}, {SteppingOver, ""}, {Paused, "pause"}, {SteppingOver, ""}, {SteppingOver, ""},
       {SteppingOver, ""}},
      {{Stopped, "stop"}, {Running, "run"}, {Paused, "pause"}, {SteppingOut, ""}, {SteppingOut, ""},
       {SteppingOut, ""}},
  };
  for (int from = 0; from < 6; ++from) {
    for (int command = 0; command < 6; ++command) {
      SCOPED_TRACE("from mode " + std::to_string(from) + ", command " + std::to_string(command));
      std::unique_ptr<FlowSemaphor> gate = GateIn(modes[from]);
      ASSERT_EQ(gate->Mode(), modes[from]);
      journal_.Take();

      Apply(*gate, static_cast<Command>(command));
      const Outcome& outcome = table[from][command];
      EXPECT_EQ(gate->Mode(), outcome.mode);
      std::vector<std::string> expected;
      if (*outcome.report) expected.push_back(std::string(outcome.report) + " 7");
      EXPECT_EQ(journal_.Take(), expected);
    }
  }
}

TEST_F(FlowSemaphorTest, AStoppedGateStopsEveryLaterStatement) {
  test::FakeScript script({0});
  std::unique_ptr<FlowSemaphor> gate = GateIn(GateMode::Stopped);
  journal_.Take();
  EXPECT_EQ(gate->StartRun(&script.Root()), RUN_STOP);
  EXPECT_EQ(gate->CheckStatement(script.Statement(1), 0, script.Root().Breakpoints()), RUN_STOP);
  EXPECT_EQ(journal_.Take(), (std::vector<std::string>{"start 7", "run 7"}));
}

TEST_F(FlowSemaphorTest, HasNoBreakpointsOfItsOwn) {
  EXPECT_FALSE(GateIn(GateMode::Paused)->SetBreakpoint(0, 0, true));
}

}  // namespace
}  // namespace script
