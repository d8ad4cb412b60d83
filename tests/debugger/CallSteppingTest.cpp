// Stepping across script function calls on a real script thread, and the
// call stack the debugger reads while the thread is halted in a callee.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Script/Script/ScriptRunner.h"
#include "Script/Stack/StackMemory.h"
#include "tests/debugger/Journal.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

// Line indexes (line - 1) of the script below.
constexpr const char* kScript =
    "function i32 add(i32 a, i32 b) {\n"  // 0
    "  i32 s = a + b;\n"                  // 1
    "  return s;\n"                       // 2
    "}\n"                                 // 3
    "i32 x = add(1, 2);\n"                // 4
    "i32 y = x;\n";                       // 5

class CallSteppingTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runner_.Load());
    interpreter_.AttachDebugger(&journal_);
    worker_ = std::thread([this] { runner_.Execute(); });
    interpreter_.DebuggerFanOut().Started().Wait();
    journal_.WaitFor("break");  // held at the root
    journal_.Take();
  }
  void TearDown() override {
    Command(&DebuggerStateMachine::Run);
    worker_.join();
    interpreter_.DetachDebugger();
  }
  void Command(bool (DebuggerStateMachine::*command)()) {
    while (!(interpreter_.Debugger().*command)()) std::this_thread::yield();
  }
  // Issues a step and returns "file:line index" where the thread halts next.
  // The thread pauses every thread as well (before the report when stepping
  // in, after it otherwise); the next command is only taken after that.
  std::string StepTo(bool (DebuggerStateMachine::*command)()) {
    Command(command);
    journal_.WaitFor("break");
    journal_.WaitFor("pause");
    for (const std::string& entry : journal_.Take()) {
      if (entry.starts_with("break ")) {
        threadId_ = static_cast<uint32_t>(std::stoul(entry.substr(entry.rfind(' ') + 1)));
        return entry.substr(6, entry.find(' ', 6) - 6);
      }
    }
    return "";
  }

  test::TempDir dir_;
  test::CaptureSink sink_;
  ScriptRunner runner_{dir_.Write("calls.kelvra", kScript), &sink_};
  Interpreter& interpreter_ = runner_.GetInterpreter();
  test::Journal journal_;
  std::thread worker_;
  uint32_t threadId_ = 0;
};

TEST_F(CallSteppingTest, StepOverRunsTheCallWithoutStoppingInside) {
  EXPECT_EQ("0:4", StepTo(&DebuggerStateMachine::Step));
  EXPECT_EQ("0:5", StepTo(&DebuggerStateMachine::Step));
}

TEST_F(CallSteppingTest, StepInEntersTheCalleeAndStepOutLeavesIt) {
  EXPECT_EQ("0:4", StepTo(&DebuggerStateMachine::StepIn));
  EXPECT_EQ("0:1", StepTo(&DebuggerStateMachine::StepIn));

  StackMemory* stack = interpreter_.Threads().GetStackMemory(threadId_);
  ASSERT_EQ(2, stack->FrameCount());
  FrameDescription callee;
  ASSERT_TRUE(stack->DescribeFrame(1, interpreter_.Symbols(), callee));
  EXPECT_EQ("i32 add(i32, i32)", callee.function);
  EXPECT_EQ("Script", callee.module);
  EXPECT_EQ(2u, callee.line);
  EXPECT_EQ(3u, callee.position);
  FrameDescription caller;
  ASSERT_TRUE(stack->DescribeFrame(0, interpreter_.Symbols(), caller));
  EXPECT_EQ("calls.kelvra", caller.function);
  EXPECT_EQ(5u, caller.line);
  EXPECT_FALSE(stack->DescribeFrame(2, interpreter_.Symbols(), caller));

  EXPECT_EQ("0:5", StepTo(&DebuggerStateMachine::StepOut));
}

TEST_F(CallSteppingTest, BreakpointsStandOnStatementsNotOnTheFunctionHeader) {
  EXPECT_FALSE(interpreter_.Debugger().SetBreakpoint(0, 0, true)) << "the header with the parameters";
  EXPECT_TRUE(interpreter_.Debugger().SetBreakpoint(0, 2, true));
  Command(&DebuggerStateMachine::Run);
  journal_.WaitFor("break 0:2", 2);  // reported again once every thread is paused
}

}  // namespace
}  // namespace script
