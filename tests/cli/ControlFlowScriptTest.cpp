// Control flow end to end: scripts run by the kelvra tool, judged by the
// global variables they leave.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/NamedCase.h"
#include "tests/support/ToolRun.h"

namespace {

struct ScriptCase {
  const char* name;
  const char* script;
  const char* globals;  // the "NAME : TYPE = VALUE" lines after "Build succeeded."
};
void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

class ControlFlowScriptTest : public testing::TestWithParam<ScriptCase> {};

TEST_P(ControlFlowScriptTest, LeavesTheGlobals) {
  const ScriptCase& c = GetParam();
  script::test::ToolResult result = script::test::RunScriptWithGlobals(c.script);
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(std::string("Build succeeded.\n") + c.globals, result.out);
}

const ScriptCase kCases[] = {
    {"WhileLoopsComputeSums",
     "i32 i = 1, sum = 0;\n"
     "while (i <= 100) { sum += i; i++; }\n"
     "i32 odd = 0, k = 0;\n"
     "while (k < 10) if (k++ % 2 == 1) odd += k;\n",
     "i : i32 = 101\nsum : i32 = 5050\nodd : i32 = 30\nk : i32 = 10\n"},
    {"BreakEndsOnlyTheLoop",
     "i32 i = 0, after = 0;\n"
     "while (true) { i++; if (i == 7) break; }\n"
     "after = 1;\n",
     "i : i32 = 7\nafter : i32 = 1\n"},
    {"ForWithAllClausesEmptyRunsUntilBreak",
     "i32 n = 0;\n"
     "for (;;) { n++; if (n == 5) break; }\n",
     "n : i32 = 5\n"},
    {"ContinueStillRunsTheForStep",
     "i32 i, steps = 0, bodies = 0;\n"
     "for (i = 0; i < 6; steps++) { i++; if (i % 2 == 0) continue; bodies++; }\n",
     "i : i32 = 6\nsteps : i32 = 6\nbodies : i32 = 3\n"},
    {"ContinueInAWhileLoop",
     "i32 i = 0, kept = 0;\n"
     "while (i < 10) { i++; if (i > 3) continue; kept += i; }\n",
     "i : i32 = 10\nkept : i32 = 6\n"},
    {"SwitchFallsThroughUntilBreak",
     "i32 all = 0, stopped = 0;\n"
     "switch (2) { case 1: all += 1; case 2: all += 10; case 3: all += 100; }\n"
     "switch (2) { case 1: stopped += 1; case 2: stopped += 10; break; case 3: stopped += 100; }\n",
     "all : i32 = 110\nstopped : i32 = 10\n"},
    {"SwitchMatchesCaseValuesAsUnsigned32Bits",
     "i32 m = -1, signed = 0;\n"
     "switch (m) { case 4294967295: signed = 1; break; default: signed = 2; }\n"
     "ui8 b = 255;\n"
     "i32 narrow = 0;\n"
     "switch (b) { case -1: narrow = 1; break; case 0xFF: narrow = 2; }\n"
     "i64 wide = 4294967297;\n"
     "i32 cut = 0;\n"
     "switch (wide) { case 1: cut = 1; }\n",
     "m : i32 = -1\nsigned : i32 = 1\nb : ui8 = 255 '\\xff'\nnarrow : i32 = 2\nwide : i64 = 4294967297\ncut : i32 = 1\n"},
    {"SwitchDefaultWhereverItStands",
     "i32 none = 0, fell = 0;\n"
     "switch (9) { case 1: none = 1; }\n"
     "switch (9) { case 1: fell += 1; default: fell += 10; case 2: fell += 100; }\n",
     "none : i32 = 0\nfell : i32 = 110\n"},
    {"HalfIsFalseInAConditionAndAStringIsTrue",
     "i32 half = 0, text = 0;\n"
     "if (0.5) half = 1; else half = 2;\n"
     "if (\"0\") text = 1; else text = 2;\n",
     "half : i32 = 2\ntext : i32 = 1\n"},
    {"OneSemicolonClosesNestedBodies",
     "i32 i = 0, j = 0, elseRuns = 0;\n"
     "if (i == 0) while (i < 3) for (j = 0; j < 2; j++) i++; else elseRuns++;\n"
     "if (i == 1) while (i < 9) i++; else elseRuns++;\n",
     "i : i32 = 4\nj : i32 = 2\nelseRuns : i32 = 1\n"},
    {"ElseBelongsToTheNearestIf",
     "i32 a = 1, b = 0, r = 0;\n"
     "if (a) if (b) r = 1; else r = 2;\n"
     "i32 s = 0;\n"
     "if (b) if (a) s = 1; else s = 2;\n",
     "a : i32 = 1\nb : i32 = 0\nr : i32 = 2\ns : i32 = 0\n"},
    {"ElseIfChains",
     "i32 x = 5, band = 0;\n"
     "if (x < 3) band = 1; else if (x < 6) band = 2; else band = 3;\n",
     "x : i32 = 5\nband : i32 = 2\n"},
    {"IncrementsInConditionsRunAroundTheTest",
     "i32 i = 0, rounds = 0;\n"
     "while (i++ < 3) rounds++;\n",
     "i : i32 = 4\nrounds : i32 = 3\n"},
    {"BreakInsideASwitchInsideALoopLeavesOnlyTheSwitch",
     "i32 i = 0, seen = 0;\n"
     "while (i < 4) { switch (i) { case 1: break; default: seen += 10; } i++; seen++; }\n",
     "i : i32 = 4\nseen : i32 = 34\n"},
    {"ContinueInsideASwitchGoesOnWithTheLoop",
     "i32 i, sum = 0;\n"
     "for (i = 0; i < 4; i++) { switch (i) { case 2: continue; } sum += i; }\n",
     "i : i32 = 4\nsum : i32 = 4\n"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ControlFlowScriptTest, testing::ValuesIn(kCases),
                         script::test::ByCaseName());

TEST(ControlFlowScriptErrorTest, ASwitchOnTextThatIsNoNumberIsARuntimeError) {
  script::test::ToolResult result =
      script::test::RunScriptWithGlobals("i32 x;\nswitch (\"abc\") { case 1: x = 1; }\nx = 2;\n");
  EXPECT_EQ(2, result.status);
  EXPECT_NE(std::string::npos, result.err.find("RUNTIME ERROR: cannot convert \"abc\" to ui32: not a number")) << result.err;
}

}  // namespace
