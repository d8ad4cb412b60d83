#include <gtest/gtest.h>

#include <latch>
#include <string>
#include <thread>
#include <typeindex>
#include <vector>

#include "Script/Debugger/DebuggerStateMachine.h"

namespace script {
namespace {

enum Command { kRun, kStop, kPause, kStepIn, kStep, kStepOut };

// Records the commands the states pass on.
class ListenerLog : public DebuggerAction {
 public:
  void Stop() override { calls.push_back("Stop"); }
  void Run() override { calls.push_back("Run"); }
  void Pause(uint32_t threadId) override { calls.push_back("Pause " + std::to_string(threadId)); }
  void StepIn() override { calls.push_back("StepIn"); }
  void Step() override { calls.push_back("Step"); }
  void StepOut() override { calls.push_back("StepOut"); }
  bool SetBreakpoint(uint32_t file, uint32_t lineIndex, bool set) override {
    calls.push_back("SetBreakpoint " + std::to_string(file) + ":" + std::to_string(lineIndex) + (set ? " on" : " off"));
    return true;
  }

  std::vector<std::string> calls;
};

bool Apply(DebuggerStateMachine& machine, Command command) {
  switch (command) {
    case kRun: return machine.Run();
    case kStop: return machine.Stop();
    case kPause: return machine.Pause(5);
    case kStepIn: return machine.StepIn();
    case kStep: return machine.Step();
    case kStepOut: return machine.StepOut();
  }
  return false;
}

std::type_index StateOf(const DebuggerStateMachine& machine) { return typeid(*machine.Current()); }

const std::type_index kStopState = typeid(DebuggerStop);
const std::type_index kRunState = typeid(DebuggerRun);
const std::type_index kPauseState = typeid(DebuggerPause);
const std::type_index kStepInState = typeid(DebuggerStepIn);
const std::type_index kStepState = typeid(DebuggerStep);
const std::type_index kStepOutState = typeid(DebuggerStepOut);

struct Transition {
  std::vector<Command> reach;  // from the initial Stop state
  Command command;
  std::type_index next;
  const char* passedOn;  // the listener call, or "" when the state stays
};

TEST(DebuggerStateMachineTest, FollowsTheTransitionTable) {
  const std::vector<Command> stop, run{kRun}, pause{kRun, kPause}, stepIn{kStepIn}, step{kStep}, stepOut{kStepOut};
  const std::vector<Transition> table = {
      {stop, kRun, kRunState, "Run"},          {stop, kStop, kStopState, ""},
      {stop, kPause, kStopState, ""},          {stop, kStepIn, kStepInState, "StepIn"},
      {stop, kStep, kStepState, "Step"},       {stop, kStepOut, kStepOutState, "StepOut"},

      {run, kRun, kRunState, ""},              {run, kStop, kStopState, "Stop"},
      {run, kPause, kPauseState, "Pause 5"},   {run, kStepIn, kRunState, ""},
      {run, kStep, kRunState, ""},             {run, kStepOut, kRunState, ""},

      {pause, kRun, kRunState, "Run"},         {pause, kStop, kStopState, "Stop"},
      {pause, kPause, kPauseState, ""},        {pause, kStepIn, kStepInState, "StepIn"},
      {pause, kStep, kStepState, "Step"},      {pause, kStepOut, kStepOutState, "StepOut"},

      {stepIn, kRun, kStepInState, ""},        {stepIn, kStop, kStopState, "Stop"},
      {stepIn, kPause, kPauseState, "Pause 5"}, {stepIn, kStepIn, kStepInState, ""},
      {stepIn, kStep, kStepInState, ""},       {stepIn, kStepOut, kStepOutState, "StepOut"},

      {step, kRun, kStepState, ""},            {step, kStop, kStopState, "Stop"},
      {step, kPause, kPauseState, "Pause 5"},  {step, kStepIn, kStepState, ""},
      {step, kStep, kStepState, ""},           {step, kStepOut, kStepOutState, "StepOut"},

      {stepOut, kRun, kRunState, "Run"},       {stepOut, kStop, kStopState, "Stop"},
      {stepOut, kPause, kPauseState, "Pause 5"}, {stepOut, kStepIn, kStepOutState, ""},
      {stepOut, kStep, kStepOutState, ""},     {stepOut, kStepOut, kStepOutState, "StepOut"},
  };
  for (size_t row = 0; row < table.size(); ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    const Transition& t = table[row];
    DebuggerStateMachine machine;
    ListenerLog listener;
    machine.Attach(&listener);
    for (Command command : t.reach) ASSERT_TRUE(Apply(machine, command));
    listener.calls.clear();

    EXPECT_TRUE(Apply(machine, t.command));
    EXPECT_EQ(StateOf(machine), t.next);
    std::vector<std::string> expected;
    if (*t.passedOn) expected.push_back(t.passedOn);
    EXPECT_EQ(listener.calls, expected);
  }
}

TEST(DebuggerStateMachineTest, ChangesStateSilentlyWithoutADebugger) {
  DebuggerStateMachine machine;
  ListenerLog listener;
  machine.Attach(&listener);
  machine.Detach();

  EXPECT_TRUE(machine.Run());
  EXPECT_TRUE(machine.Pause(0));
  EXPECT_EQ(StateOf(machine), kPauseState);
  EXPECT_FALSE(machine.SetBreakpoint(0, 3, true));
  EXPECT_TRUE(listener.calls.empty());
}

TEST(DebuggerStateMachineTest, ForwardsBreakpointsToTheAttachedListener) {
  DebuggerStateMachine machine;
  ListenerLog listener;
  machine.Attach(&listener);

  EXPECT_TRUE(machine.SetBreakpoint(2, 7, false));
  EXPECT_EQ(listener.calls, std::vector<std::string>{"SetBreakpoint 2:7 off"});
}

// A listener that holds the machine's lock (inside a command) until released.
class HoldingListener : public ListenerLog {
 public:
  void Run() override {
    inside.count_down();
    release.wait();
  }

  std::latch inside{1};
  std::latch release{1};
};

TEST(DebuggerStateMachineTest, DropsCommandsWhileTheLockIsBusy) {
  DebuggerStateMachine machine;
  HoldingListener listener;
  machine.Attach(&listener);

  std::thread application([&] { EXPECT_TRUE(machine.Run()); });
  listener.inside.wait();
  EXPECT_FALSE(machine.Stop());
  EXPECT_FALSE(machine.Pause(0));
  EXPECT_TRUE(machine.SetBreakpoint(0, 1, true));  // needs no lock
  listener.release.count_down();
  application.join();

  EXPECT_EQ(StateOf(machine), kRunState);
  EXPECT_EQ(listener.calls, std::vector<std::string>{"SetBreakpoint 0:1 on"});
}

}  // namespace
}  // namespace script
