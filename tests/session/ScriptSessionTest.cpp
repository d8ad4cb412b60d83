// The engine's public surface as a front end uses it: loading, runs on the
// session's thread, debugger commands, breakpoints, inspection of halted
// threads, and two sessions alive at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
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

// A script whose fourth line (index 3) can hold a breakpoint, with a
// structure type named `structure` alive in its globals.
std::string HaltingScript(const std::string& structure) {
  return "struct " + structure + " { i32 a; };\n" + structure + " value;\nvalue.a = 1;\ni32 done = 0;\ndone = 1;\n";
}

std::vector<std::string> NamesOf(const std::vector<VariableHandle>& variables) {
  std::vector<std::string> names;
  for (const VariableHandle& variable : variables) names.push_back(variable.Name());
  return names;
}

bool Mentions(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(text) != line.npos; });
}

class ScriptSessionTest : public testing::Test {
 protected:
  test::TempDir dir_;
  test::CaptureSink sink_;
  test::SessionEventLog events_;
};

TEST_F(ScriptSessionTest, CommandsNeedARunAndARunNeedsAProgram) {
  ScriptSession missing(dir_.PathOf("missing.kelvra"), sink_);
  EXPECT_FALSE(missing.Load());
  EXPECT_FALSE(missing.Start());
  EXPECT_FALSE(missing.Execute());

  ScriptSession session(dir_.Write("main.kelvra", "i32 x = 1;\n"), sink_);
  EXPECT_FALSE(session.Command(DebugCommand::Run)) << "no run yet";
  ASSERT_TRUE(session.Load());
  EXPECT_EQ(sink_.Lines(CHANNEL_BUILD).back(), "Build succeeded.");
  EXPECT_EQ(session.RunThreadId(), 0u);
  ASSERT_TRUE(session.Start());
  EXPECT_FALSE(session.Start()) << "one run per session";
  EXPECT_TRUE(session.Wait());
  EXPECT_NE(session.RunThreadId(), 0u);
}

TEST_F(ScriptSessionTest, TwoSessionsKeepTheirOwnProgramsAndHeaps) {
  const std::string alphaPath = dir_.Write("alpha.kelvra", HaltingScript("Alpha"));
  test::CaptureSink alphaSink;
  ScriptSession alpha(alphaPath, alphaSink);
  ASSERT_TRUE(alpha.Load());
  alpha.AttachEvents(&events_);
  ASSERT_TRUE(alpha.SetBreakpoint(alphaPath, 3, true));
  ASSERT_TRUE(alpha.Start(DebugCommand::Run));
  const test::SessionEventLog::Report halt = events_.WaitForHaltAt(3);
  ASSERT_EQ(halt.lineIndex, 3u);
  EXPECT_EQ(alpha.FilePath(halt.fileId), alphaPath);

  // While the first run is halted, a second script compiles and runs to its
  // end on its own thread.
  test::CaptureSink betaSink;
  test::SessionEventLog betaEvents;
  {
    const std::string betaPath = dir_.Write("beta.kelvra", HaltingScript("Beta"));
    ScriptSession beta(betaPath, betaSink);
    ASSERT_TRUE(beta.Load());
    beta.AttachEvents(&betaEvents);
    ASSERT_TRUE(beta.SetBreakpoint(betaPath, 3, true));
    ASSERT_TRUE(beta.Start(DebugCommand::Run));
    ASSERT_EQ(betaEvents.WaitForHaltAt(3).lineIndex, 3u);

    betaSink.Clear();
    beta.DumpLeaks();
    EXPECT_TRUE(Mentions(betaSink.Lines(CHANNEL_RUN), "\"Beta\""));
    EXPECT_FALSE(Mentions(betaSink.Lines(CHANNEL_RUN), "\"Alpha\""));
    ASSERT_TRUE(Apply(beta, DebugCommand::Run));
    EXPECT_TRUE(beta.Wait());
  }
  alphaSink.Clear();
  alpha.DumpLeaks();
  EXPECT_TRUE(Mentions(alphaSink.Lines(CHANNEL_RUN), "\"Alpha\""));
  EXPECT_FALSE(Mentions(alphaSink.Lines(CHANNEL_RUN), "\"Beta\""));
  EXPECT_EQ(alpha.ThreadIds(), std::vector<uint32_t>{alpha.RunThreadId()});

  ASSERT_TRUE(Apply(alpha, DebugCommand::Run));
  EXPECT_TRUE(alpha.Wait());
  alphaSink.Clear();
  alpha.DumpLeaks();
  EXPECT_FALSE(Mentions(alphaSink.Lines(CHANNEL_RUN), "\"Alpha\"")) << "the run released its storage";
}

TEST_F(ScriptSessionTest, DescribesTheCallStackAndVariablesOfAHaltedThread) {
  const std::string path = dir_.Write("calls.kelvra",
                                      "function i32 inner(i32 z) {\n"
                                      "  i32 local = z * 2;\n"
                                      "  return local;\n"
                                      "}\n"
                                      "function i32 middle(i32 y) { return inner(y + 1); }\n"
                                      "function i32 outer(i32 x) { return middle(x + 1); }\n"
                                      "struct Pair { i32 first; string second; };\n"
                                      "array<i32, 2, 3> grid;\n"
                                      "grid[1, 2] = 12;\n"
                                      "Pair pair;\n"
                                      "pair.second = \"two\";\n"
                                      "i32 result = outer(5);\n");
  ScriptSession session(path, sink_);
  ASSERT_TRUE(session.Load());
  session.AttachEvents(&events_);
  ASSERT_TRUE(session.SetBreakpoint(path, 2, true));
  ASSERT_TRUE(session.Start());
  const test::SessionEventLog::Report halt = events_.WaitForHaltAt(2);
  ASSERT_EQ(halt.lineIndex, 2u);
  const uint32_t thread = halt.threadOrFlag;

  const std::vector<FrameInfo> frames = session.CallStack(thread);
  ASSERT_EQ(frames.size(), 4u);
  const std::vector<std::string> expected = {"calls.kelvra", "i32 outer(i32)", "i32 middle(i32)", "i32 inner(i32)"};
  const uint32_t lines[] = {12, 6, 5, 3};
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].function, expected[i]);
    EXPECT_EQ(frames[i].module, "Script");
    EXPECT_EQ(frames[i].file, path);
    EXPECT_EQ(frames[i].line, lines[i]) << frames[i].function;
  }

  const std::vector<VariableHandle> locals = session.Variables(thread, frames.back().index);
  ASSERT_EQ(NamesOf(locals), (std::vector<std::string>{"z", "local"}));
  EXPECT_EQ(locals[0].ValueText(), "7");
  EXPECT_EQ(locals[1].ValueText(VIEW_HEX), "0x0000000e");
  EXPECT_EQ(locals[1].TypeName(), "i32");

  const std::vector<VariableHandle> globals = session.Variables(thread, 0);
  ASSERT_EQ(NamesOf(globals), (std::vector<std::string>{"grid", "pair", "result"}));
  const VariableHandle& grid = globals[0];
  EXPECT_TRUE(grid.IsExpandable());
  ASSERT_EQ(grid.ChildCount(), 6u);
  EXPECT_EQ(grid.Child(5).Name(), "[1,2]");
  EXPECT_EQ(grid.Child(5).ValueText(), "12");
  EXPECT_FALSE(grid.Child(6).IsResolved()) << "past the last child";
  EXPECT_EQ(globals[1].ValueText(), "<...>");
  ASSERT_EQ(globals[1].ChildCount(), 2u);
  EXPECT_EQ(globals[1].Child(1).Name(), "second");
  EXPECT_EQ(globals[1].Child(1).ValueText(), "\"two\"");
  EXPECT_EQ(globals[2].AddressText().size(), 18u) << "0x and sixteen digits";

  ASSERT_TRUE(Apply(session, DebugCommand::Run));
  EXPECT_TRUE(session.Wait());
}

TEST_F(ScriptSessionTest, StepsOverAndOutThroughTheSessionsCommands) {
  const std::string path = dir_.Write("steps.kelvra",
                                      "function i32 twice(i32 v) {\n"
                                      "  i32 doubled = v * 2;\n"
                                      "  return doubled;\n"
                                      "}\n"
                                      "i32 a = twice(1);\n"
                                      "i32 b = twice(a);\n");
  ScriptSession session(path, sink_);
  ASSERT_TRUE(session.Load());
  session.AttachEvents(&events_);
  ASSERT_TRUE(session.Start(DebugCommand::StepIn));
  EXPECT_EQ(events_.WaitForHaltAt(4).lineIndex, 4u) << "the first statement";
  // Each command halts the thread once more: StepIn enters the call, StepOver
  // goes to the next statement of the callee, StepOut back to the top level.
  const std::pair<DebugCommand, uint32_t> steps[] = {
      {DebugCommand::StepIn, 1}, {DebugCommand::StepOver, 2}, {DebugCommand::StepOut, 5}};
  for (const auto& [command, line] : steps) {
    events_.Mark();
    ASSERT_TRUE(Apply(session, command));
    ASSERT_EQ(events_.WaitForHaltAt(line).lineIndex, line);
  }
  ASSERT_TRUE(Apply(session, DebugCommand::Run));
  EXPECT_TRUE(session.Wait());
}

TEST_F(ScriptSessionTest, ABreakpointSetThroughALinkHitsTheFileLoadedByItsOwnPath) {
  const std::string path = dir_.Write("real/main.kelvra", "i32 a = 1;\ni32 b = 2;\n");
  std::filesystem::create_directory_symlink(dir_.PathOf("real"), dir_.PathOf("link"));
  ScriptSession session(path, sink_);
  ASSERT_TRUE(session.Load());
  session.AttachEvents(&events_);
  EXPECT_TRUE(session.SetBreakpoint(dir_.PathOf("link/main.kelvra"), 1, true));
  EXPECT_TRUE(session.SetBreakpoint(dir_.PathOf("real/../real/main.kelvra"), 0, true));
  EXPECT_FALSE(session.SetBreakpoint(dir_.PathOf("other.kelvra"), 0, true));
  EXPECT_EQ(events_.Breakpoints().size(), 2u);
}

TEST_F(ScriptSessionTest, DestroyingASessionStopsItsRunHaltedOrBusy) {
  {
    const std::string path = dir_.Write("halted.kelvra", "i32 a = 1;\ni32 b = 2;\n");
    ScriptSession session(path, sink_);
    ASSERT_TRUE(session.Load());
    session.AttachEvents(&events_);
    ASSERT_TRUE(session.SetBreakpoint(path, 1, true));
    ASSERT_TRUE(session.Start());
    ASSERT_EQ(events_.WaitForHaltAt(1).lineIndex, 1u);
  }
  ScriptSession endless(dir_.Write("endless.kelvra", "i32 n;\nwhile (true) { n++; }\n"), sink_);
  ASSERT_TRUE(endless.Load());
  ASSERT_TRUE(endless.Start());
}

TEST_F(ScriptSessionTest, LoadingAgainWaitsForTheRunToEndAndAllowsAnother) {
  const std::string path = dir_.Write("again.kelvra", "i32 a = 1;\ni32 b = 2;\n");
  ScriptSession session(path, sink_);
  ASSERT_TRUE(session.Load());
  session.AttachEvents(&events_);
  ASSERT_TRUE(session.SetBreakpoint(path, 1, true));
  ASSERT_TRUE(session.Start());
  ASSERT_EQ(events_.WaitForHaltAt(1).lineIndex, 1u);
  EXPECT_FALSE(session.Load()) << "the halted run still walks the program";
  ASSERT_TRUE(Apply(session, DebugCommand::Run));
  EXPECT_TRUE(session.Wait());

  ASSERT_TRUE(session.Load());
  EXPECT_EQ(session.RunThreadId(), 0u);
  // The breakpoint went with the program's statements; it is set again on
  // the new ones, and the new run starts held like the first.
  ASSERT_TRUE(session.SetBreakpoint(path, 0, true));
  events_.Mark();
  ASSERT_TRUE(session.Start());
  EXPECT_EQ(events_.WaitForHaltAt(0).lineIndex, 0u);
  ASSERT_TRUE(Apply(session, DebugCommand::Run));
  EXPECT_TRUE(session.Wait());
  EXPECT_NE(session.RunThreadId(), 0u);
}

TEST_F(ScriptSessionTest, ListsTheProgramsFunctions) {
  ScriptSession session(dir_.Write("f.kelvra", "\nfunction i32 add(i32 a, i32 b) { return a + b; }\n"), sink_);
  ASSERT_TRUE(session.Load());
  std::vector<std::string> functions;
  for (const FunctionInfo& info : session.Functions()) {
    if (info.kind == FunctionInfo::Kind::Function)
      functions.push_back(info.text + "@" + std::to_string(info.line));
  }
  EXPECT_EQ(functions, std::vector<std::string>{"i32 add(i32, i32)@2"});
  EXPECT_EQ(session.Functions().size(), 9u) << "the eight built-ins and the function";
}

}  // namespace
}  // namespace script
