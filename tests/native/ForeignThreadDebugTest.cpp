// A callback on a thread the native library starts, under the debugger
// through the public surface: the thread gets a gate of its own, halts at a
// breakpoint, steps, is paused and stopped, and shows its call stack, while
// the script's thread waits inside the native call.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "kelvra/ScriptSession.h"
#include "tests/session/SessionEventLog.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

using test::Apply;

// Lines (from 0) of the callback's statements.
constexpr uint32_t kFirstLine = 2;
constexpr uint32_t kSecondLine = 3;

std::string ScriptWithCallback(const std::string& body) {
  return "i32 seen = 0;\n"
         "function i32 onThread(i32 v) {\n" +
         body +
         "}\n"
         "lib (\"" KELVRA_NATIVE_TEST_DIR "/libkelvra_native_probe.so\") {\n"
         "  i32 probe_call_on_thread(function<onThread>, i32);\n"
         "} probe;\n"
         "i32 result = probe.probe_call_on_thread(onThread, 41);\n";
}

class ForeignThreadDebugTest : public testing::Test {
 protected:
  ScriptSession& Load(const std::string& body) {
    session_ = std::make_unique<ScriptSession>(dir_.Write("main.kelvra", ScriptWithCallback(body)), sink_);
    EXPECT_TRUE(session_->Load());
    session_->AttachEvents(&events_);
    return *session_;
  }

  test::TempDir dir_;
  test::CaptureSink sink_;
  test::SessionEventLog events_;
  std::unique_ptr<ScriptSession> session_;
};

TEST_F(ForeignThreadDebugTest, TheForeignThreadHaltsStepsAndRunsOn) {
  ScriptSession& session = Load("  seen = v;\n  seen = seen + 1;\n  return seen;\n");
  ASSERT_TRUE(session.SetBreakpoint(session.Path(), kFirstLine, true));
  events_.Mark();
  ASSERT_TRUE(session.Start());
  const uint32_t foreign = events_.WaitForHaltAt(kFirstLine).threadOrFlag;
  ASSERT_NE(0u, foreign);
  EXPECT_NE(session.RunThreadId(), foreign);
  const std::vector<uint32_t> threads = session.ThreadIds();
  EXPECT_NE(threads.end(), std::find(threads.begin(), threads.end(), foreign));

  // The foreign thread stands in the callback; the script's thread in the
  // library function, whose frame names the module.
  const std::vector<FrameInfo> foreignStack = session.CallStack(foreign);
  ASSERT_FALSE(foreignStack.empty());
  EXPECT_EQ("i32 onThread(i32)", foreignStack.back().function);
  EXPECT_EQ(kFirstLine + 1, foreignStack.back().line);
  const std::vector<FrameInfo> scriptStack = session.CallStack(session.RunThreadId());
  ASSERT_EQ(2u, scriptStack.size());
  EXPECT_EQ("i32 probe_call_on_thread(function<onThread>, i32)", scriptStack[1].function);
  EXPECT_EQ(KELVRA_NATIVE_TEST_DIR "/libkelvra_native_probe.so", scriptStack[1].module);
  EXPECT_EQ("Script", scriptStack[0].module);

  // A step goes to the foreign thread: the script's thread is in native code.
  ASSERT_TRUE(events_.WaitForPauses(2));  // both threads
  events_.Mark();
  ASSERT_TRUE(Apply(session, DebugCommand::StepOver));
  EXPECT_EQ(foreign, events_.WaitForHaltAt(kSecondLine).threadOrFlag);
  ASSERT_TRUE(Apply(session, DebugCommand::Run));
  EXPECT_TRUE(session.Wait());
  const std::vector<uint32_t> ended = events_.EndedThreads();
  EXPECT_NE(ended.end(), std::find(ended.begin(), ended.end(), foreign));
}

TEST_F(ForeignThreadDebugTest, APausedForeignThreadStops) {
  ScriptSession& session = Load("  i32 i;\n  for (i = 0; i < 2000000000; i++) seen = i;\n  return 0;\n");
  ASSERT_TRUE(session.Start());
  // Once the foreign thread runs its loop, a pause halts it there.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (session.ThreadIds().size() < 2) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline);
    std::this_thread::yield();
  }
  events_.Mark();
  ASSERT_TRUE(Apply(session, DebugCommand::Pause));
  EXPECT_NE(session.RunThreadId(), events_.WaitForHaltAt(kSecondLine).threadOrFlag);
  ASSERT_TRUE(Apply(session, DebugCommand::Stop));
  session.Wait();
  EXPECT_TRUE(session.ThreadIds().empty());
}

TEST_F(ForeignThreadDebugTest, ARuntimeErrorNamesTheForeignThread) {
  ScriptSession& session = Load("  return v / (seen - seen);\n");
  ASSERT_TRUE(session.Start());
  EXPECT_TRUE(session.Wait());
  std::vector<uint32_t> ended = events_.EndedThreads();
  ended.erase(std::remove(ended.begin(), ended.end(), session.RunThreadId()), ended.end());
  ASSERT_EQ(1u, ended.size());
  const std::string expected = "thread: " + std::to_string(ended[0]) + ", RUNTIME ERROR: Division by zero";
  const std::vector<std::string> lines = sink_.Lines(CHANNEL_RUN);
  EXPECT_NE(lines.end(), std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
              return line.rfind(expected, 0) == 0;
            }));
}

}  // namespace
}  // namespace script
