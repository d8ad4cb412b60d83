// Input that is not a script at all must end in a report, never in a crash or hang.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Script/Script/ScriptRunner.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

// Loads a script text and returns the build report.
std::vector<std::string> Build(const test::TempDir& dir, const std::string& text) {
  std::string path = dir.Write("input.kelvra", text);
  test::CaptureSink sink;
  ScriptRunner runner(path, &sink);
  runner.Load();
  return sink.Lines(CHANNEL_BUILD);
}

TEST(HostileInputTest, RandomBytesGiveOneReport) {
  test::TempDir dir;
  std::mt19937 random(20261210);
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 512, '\0');
    // Half the rounds draw from the script alphabet, so that the compiler gets past the reader.
    const bool scriptLike = round % 2 == 0;
    const std::string alphabet = "{}();,\"' \n\tinclude abc 0x1 /* */ // #";
    for (char& c : text) {
      c = scriptLike ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256);
    }
    std::vector<std::string> report = Build(dir, text);
    ASSERT_FALSE(report.empty()) << "round " << round;
    EXPECT_TRUE(report.front() == "Build succeeded." || report.front().starts_with("ERROR: ")) << report.front();
  }
}

TEST(HostileInputTest, RandomTokenSequencesGiveOneReport) {
  const char* tokens[] = {"i32 ", "ui8 ", "string ", "struct ", "a ", "b ", "s ", "x ", "= ", "@= ", "+ ", "- ",
                          "* ", "/ ", "% ", "== ", "<< ", "&& ", "! ", "~ ", "++ ", "-- ", "( ", ") ", "[ ",
                          "] ", ". ", ", ", "; ", "{ ", "} ", "1 ", "2.5 ", "1e+3 ", "0x1F ", "101b ", "\"t\" ",
                          "true ", "array ", "< ", "> ", "@ "};
  test::TempDir dir;
  std::mt19937 random(7);
  const std::string prefix = "i32 a; ui8 b; string s; struct S { i32 x; } t;\n";
  for (int round = 0; round < 2000; ++round) {
    std::string text = prefix;
    for (int n = static_cast<int>(random() % 24); n > 0; --n) text += tokens[random() % std::size(tokens)];
    std::vector<std::string> report = Build(dir, text + "\n");
    ASSERT_FALSE(report.empty()) << text;
    EXPECT_TRUE(report.front() == "Build succeeded." || report.front().starts_with("ERROR: ")) << text;
  }
}

TEST(HostileInputTest, NulByteEndsTheText) {
  test::TempDir dir;
  EXPECT_EQ(std::vector<std::string>{"Build succeeded."}, Build(dir, std::string("{ }\n\0 garbage #", 16)));
}

// Repeats a piece of text.
std::string Repeat(const std::string& piece, std::size_t count) {
  std::string text;
  text.reserve(piece.size() * count);
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

// Trees deeper than the compiler's bound are refused before anything walks
// them recursively (the check, a run, the tree's deletion).
TEST(HostileInputTest, DeepNestingIsRefused) {
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"blocks", Repeat("{", 200000) + Repeat("}", 200000)},
      {"left operator chain", "i32 x = 1" + Repeat(" + 1", 40000) + ";"},
      {"parentheses", "i32 x = " + Repeat("(", 300000) + "1" + Repeat(")", 300000) + ";"},
      {"not", "bool b = " + Repeat("!", 70000) + "true;"},
      {"bitwise not", "i32 x = " + Repeat("~", 40000) + "1;"},
      {"assignment chain", "i32 x; x = " + Repeat("x = ", 100000) + "1;"},
      {"chain in call arguments", "function i32 f(i32 a) { return a; }\ni32 x = f(1" + Repeat(" + 1", 40000) + ");"},
      {"chain in a function body", "function i32 f() { return 1" + Repeat(" + 1", 40000) + "; }"},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    std::vector<std::string> report = Build(dir, c.text + "\n");
    ASSERT_FALSE(report.empty()) << c.name;
    EXPECT_TRUE(report.front().starts_with("ERROR: OUT_OF_MEMORY")) << c.name << ": " << report.front();
  }
}

}  // namespace
}  // namespace script
