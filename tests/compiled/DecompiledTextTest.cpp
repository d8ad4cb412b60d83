// The decompiler's text: tokens spelt out, string constants escaped again,
// one statement per line, four blanks per block; comments and the source's
// own layout are gone.
#include <gtest/gtest.h>

#include <string>

#include "kelvra/ScriptSession.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

// Compiles a source text to a file and decompiles that file.
std::string Decompiled(const std::string& source) {
  test::TempDir dir;
  test::CaptureSink sink;
  const std::string path = dir.Write("main.kelvra", source);
  EXPECT_TRUE(CompileScript(path, sink) && DecompileScript(path + ".bin", sink))
      << testing::PrintToString(sink.Lines(CHANNEL_BUILD));
  return test::ReadFile(path + ".bin.kelvra");
}

TEST(DecompiledTextTest, LaysOutBlocksStatementsAndLabels) {
  const std::string source =
      "/* layout is not kept */ struct P { i8 a; i32 b; } p;\n"
      "function i32 f(i32 n, P @ q) { if (n < 2) return q.b; else { n--; } return f(n - 1, q) + 1; }\n"
      "i32 i, total = 0;  // a comment\n"
      "for (i = 0; i < 3; i++) { switch (i) { case 0: total += 1; break; case -1: default: total += f(2, p); } }\n"
      "while (total > 10) total--;\n"
      "{ double d = 1.5e-3; }\n";
  EXPECT_EQ(
      "struct P {\n"
      "    i8 a;\n"
      "    i32 b;\n"
      "} p;\n"
      "function i32 f(i32 n, P@ q) {\n"
      "    if(n < 2) return q.b;\n"
      "    else {\n"
      "        n--;\n"
      "    }\n"
      "    return f(n - 1, q) + 1;\n"
      "}\n"
      "i32 i,total = 0;\n"
      "for(i = 0; i < 3; i++) {\n"
      "    switch(i) {\n"
      "        case 0:\n"
      "            total += 1;\n"
      "            break;\n"
      "        case -1:\n"
      "        default:\n"
      "            total += f(2, p);\n"
      "    }\n"
      "}\n"
      "while(total > 10)total--;\n"
      "{\n"
      "    double d = 1.5e-3;\n"
      "}\n",
      Decompiled(source));
}

TEST(DecompiledTextTest, StringConstantsAreEscapedAgain) {
  EXPECT_EQ(
      "string s = \"tab\\t line\\n quote\\\" apostrophe\\' backslash\\\\ bell\\a\";\n"
      "string t = 'single \\\"q\\\"';\n"
      "string u = \"\";\n",
      Decompiled("string s = \"tab\\t line\\n quote\\\" apostrophe\\' backslash\\\\ bell\\a\";\n"
                 "string t = 'single \\\"q\\\"';\nstring u = \"\";\n"));
}

}  // namespace
}  // namespace script
