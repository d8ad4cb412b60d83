// The interpreter's run on a real script thread under the debugger.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Script/Compiler/Interpreter.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Scope.h"
#include "tests/debugger/Journal.h"
#include "tests/support/CaptureSink.h"

namespace script {
namespace {

// A statement that counts its runs and ends with a chosen result.
class CountingStatement final : public Node {
 public:
  CountingStatement(uint32_t line, Node* parent, std::atomic<int>& runs, uint32_t result)
      : Node(TYPE_EMPTY, SourcePosition{1, 0, line, 1}, parent), runs_(runs), result_(result) {}
  uint32_t Run(ExecContext*) override {
    ++runs_;
    return result_;
  }

 private:
  std::atomic<int>& runs_;
  uint32_t result_;
};

class InterpreterRunTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(interpreter_.Init());
    interpreter_.AttachDebugger(&journal_);
  }
  // Three statements on lines 1 to 3; the one on `failingLine` reports an error.
  void AddStatements(uint32_t failingLine = 0) {
    auto* root = static_cast<Scope*>(interpreter_.GetRoot());
    for (uint32_t line = 1; line <= 3; ++line)
      root->AddStatement(new CountingStatement(line, root, runs_, line == failingLine ? RUN_ERROR : RUN_OK));
  }
  void StartRun() {
    worker_ = std::thread([this] { succeeded_ = interpreter_.Run(); });
    interpreter_.DebuggerFanOut().Started().Wait();
  }
  void Command(bool (DebuggerStateMachine::*command)()) {
    while (!(interpreter_.Debugger().*command)()) std::this_thread::yield();
  }
  void Finish() {
    worker_.join();
    interpreter_.DetachDebugger();
  }

  Error error_;
  test::CaptureSink sink_;
  Interpreter interpreter_{&error_, &sink_};
  test::Journal journal_;
  std::atomic<int> runs_{0};
  std::atomic<bool> succeeded_{false};
  std::thread worker_;
};

TEST_F(InterpreterRunTest, TheThreadWaitsBeforeItsFirstStatementUntilRun) {
  AddStatements();
  StartRun();
  journal_.WaitFor("break");  // held at the root
  EXPECT_EQ(0, runs_);
  Command(&DebuggerStateMachine::Run);
  Finish();
  EXPECT_TRUE(succeeded_);
  EXPECT_EQ(3, runs_);
  std::vector<std::string> events = journal_.Take();
  ASSERT_GE(events.size(), 4u);
  EXPECT_TRUE(events[0].starts_with("start ")) << events[0];
  EXPECT_TRUE(events[1].starts_with("run ")) << events[1];
  EXPECT_TRUE(events[events.size() - 2].starts_with("end ")) << events[events.size() - 2];
  EXPECT_TRUE(events.back().starts_with("stop ")) << events.back();
  EXPECT_EQ(0u, interpreter_.Heap().LiveRefCount()) << "the run releases its frames";
}

TEST_F(InterpreterRunTest, StopBeforeRunEndsTheRunWithNoStatementRun) {
  AddStatements();
  StartRun();
  journal_.WaitFor("break");  // held at the root
  // The machine starts in its stop state, which ignores Stop: stop the gates directly.
  interpreter_.DebuggerFanOut().Stop();
  Finish();
  EXPECT_TRUE(succeeded_) << "a stop is not an error";
  EXPECT_EQ(0, runs_);
}

TEST_F(InterpreterRunTest, ABreakpointHaltsBeforeItsStatement) {
  AddStatements();
  static_cast<Scope*>(interpreter_.GetRoot())->Breakpoints().Set(0, 3);
  StartRun();
  Command(&DebuggerStateMachine::Run);
  journal_.WaitFor("break 0:2", 2);  // reported again once every thread is paused
  EXPECT_EQ(2, runs_);
  Command(&DebuggerStateMachine::Run);
  Finish();
  EXPECT_EQ(3, runs_);
}

TEST_F(InterpreterRunTest, AnErrorResultFailsTheRun) {
  AddStatements(2);
  StartRun();
  Command(&DebuggerStateMachine::Run);
  Finish();
  EXPECT_FALSE(succeeded_);
  EXPECT_EQ(2, runs_) << "without an error declaration the scope ends at the error";
}

}  // namespace
}  // namespace script
