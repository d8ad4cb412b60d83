// Breakpoints and steps inside loop bodies and branches, on a compiled
// script run on a real script thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "Script/Script/ScriptRunner.h"
#include "tests/debugger/Journal.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

// Line indices (line - 1) of the statements the gate sees.
constexpr const char* kScript =
    "i32 i, s;\n"            // 0
    "while (i < 3) {\n"      // 1: the condition, gated each round
    "  i++;\n"               // 2
    "  if (i == 2)\n"        // 3
    "    s = s + 10;\n"      // 4: a single-statement branch
    "  for (; i == 2 && s < 12;)\n"  // 5
    "    s++;\n"             // 6: a single-statement loop body
    "}\n";

class ControlFlowDebugTest : public testing::Test {
 protected:
  virtual const char* Script() const { return kScript; }
  void SetUp() override {
    path_ = dir_.Write("loop.kelvra", Script());
    ASSERT_TRUE(runner_.Load());
    interpreter().AttachDebugger(&journal_);
  }
  void TearDown() override {
    if (worker_.joinable()) worker_.join();
    interpreter().DetachDebugger();
  }
  Interpreter& interpreter() { return runner_.GetInterpreter(); }

  // Starts the run; the thread is held before its first statement.
  void Start() {
    worker_ = std::thread([this] { succeeded_ = interpreter().Run(); });
    journal_.WaitFor("break 0:0");
  }
  void Issue(bool (DebuggerStateMachine::*command)()) {
    while (!(interpreter().Debugger().*command)()) std::this_thread::yield();
  }
  // The line indices of the position reports so far, in order.
  std::vector<int> BreakLines() {
    std::vector<int> lines;
    for (const std::string& entry : journal_.Take()) {
      if (entry.starts_with("break 0:")) lines.push_back(std::stoi(entry.substr(8)));
    }
    return lines;
  }

  test::TempDir dir_;
  std::string path_;
  test::CaptureSink sink_;
  ScriptRunner runner_{dir_.PathOf("loop.kelvra"), &sink_};
  test::Journal journal_;
  std::thread worker_;
  bool succeeded_ = false;
};

TEST_F(ControlFlowDebugTest, BreakpointsHaltInBranchesAndLoopBodiesEachTimeTheyRun) {
  ASSERT_TRUE(interpreter().Debugger().SetBreakpoint(0, 4, true));
  ASSERT_TRUE(interpreter().Debugger().SetBreakpoint(0, 6, true));
  Start();
  journal_.Take();
  Issue(&DebuggerStateMachine::Run);
  // The branch runs once (i == 2), the for body twice (s 10 -> 12).
  for (int line : {4, 6, 6}) {
    journal_.WaitFor("break 0:" + std::to_string(line), 2);  // reported again once every thread is paused
    EXPECT_EQ((std::vector<int>{line, line}), BreakLines());
    Issue(&DebuggerStateMachine::Run);
  }
  worker_.join();
  EXPECT_TRUE(succeeded_);
  EXPECT_EQ(std::vector<int>{}, BreakLines());
}

TEST_F(ControlFlowDebugTest, StepInVisitsConditionsBranchesAndBodiesInRunOrder) {
  Start();
  // Held at the root, then the declaration. Round 1: i 1, no branch, the for condition is false at once.
  // Round 2: i 2, the branch, the for body twice. Round 3: i 3. Then the
  // final test of the while condition.
  const std::vector<int> expected = {0, 0, 1, 2, 3, 5, 1, 2, 3, 4, 5, 6, 6, 1, 2, 3, 5, 1};
  for (std::size_t halts = 2; halts <= expected.size(); ++halts) {
    Issue(&DebuggerStateMachine::StepIn);
    journal_.WaitFor("break", halts);
  }
  Issue(&DebuggerStateMachine::Run);
  worker_.join();
  EXPECT_EQ(expected, BreakLines());
  EXPECT_TRUE(succeeded_);
}

TEST_F(ControlFlowDebugTest, StopInsideALoopEndsTheRun) {
  ASSERT_TRUE(interpreter().Debugger().SetBreakpoint(0, 2, true));
  Start();
  Issue(&DebuggerStateMachine::Run);
  journal_.WaitFor("break 0:2", 2);
  Issue(&DebuggerStateMachine::Stop);
  worker_.join();
  EXPECT_TRUE(succeeded_) << "a stop is not an error";
  const std::vector<int> lines = BreakLines();
  EXPECT_EQ(2, std::count(lines.begin(), lines.end(), 2)) << "the loop did not go on after the stop";
}

// An error declaration passes the gate when an error reaches it, and its
// body's statements pass it as any others; skipped, it passes none.
constexpr const char* kErrorScript =
    "i32 zero = 0;\n"         // 0
    "i32 x = 1 / zero;\n"     // 1: fails
    "i32 skipped = 1;\n"      // 2
    "error (e) {\n"           // 3
    "  x = 2;\n"              // 4
    "}\n"
    "x = 3;\n"                // 6
    "error (f) { x = 4; }\n"; // 7: reached by no error

class ErrorDeclarationDebugTest : public ControlFlowDebugTest {
 protected:
  const char* Script() const override { return kErrorScript; }
};

TEST_F(ErrorDeclarationDebugTest, StepInGoesFromTheFailingStatementIntoTheDeclaration) {
  ASSERT_TRUE(interpreter().Debugger().SetBreakpoint(0, 7, true));
  Start();
  const std::vector<int> expected = {0, 0, 1, 3, 4, 6};
  for (std::size_t halts = 2; halts <= expected.size(); ++halts) {
    Issue(&DebuggerStateMachine::StepIn);
    journal_.WaitFor("break", halts);
  }
  Issue(&DebuggerStateMachine::Run);
  worker_.join();
  EXPECT_EQ(expected, BreakLines()) << "the skipped declaration's breakpoint never halts";
  EXPECT_TRUE(succeeded_) << "the error was handled";
}

}  // namespace
}  // namespace script
