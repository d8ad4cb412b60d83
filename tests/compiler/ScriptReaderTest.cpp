#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Script/Compiler/InterpreterIf.h"
#include "Script/Compiler/ScriptReader.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/NodeType.h"
#include "Script/Foundation/SymbolStore.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

using Tokens = std::vector<std::pair<int32_t, std::string>>;
// Token code, text, and the reader's line and column while the token is handled.
using Event = std::tuple<int32_t, std::string, int32_t, int32_t>;

// Records every token with the reader's position at the time.
class FakeInterpreter final : public InterpreterIf {
 public:
  bool Init() override {
    ++inits;
    return true;
  }
  bool OnEvent(int32_t code, const std::string& text) override {
    events.emplace_back(code, text, reader_->Line(), reader_->Column());
    return events.size() != rejectAt;
  }
  bool IsComplete() const override { return complete; }
  bool Run() override { return false; }
  Node* GetRoot() const override { return nullptr; }
  void SetCurrentReader(Reader* reader) override { reader_ = reader; }
  Reader* CurrentReader() const override { return reader_; }
  SymbolStore& Symbols() override { return symbols_; }

  Tokens TokenList() const {
    Tokens tokens;
    for (const auto& [code, text, line, column] : events) tokens.emplace_back(code, text);
    return tokens;
  }

  std::vector<Event> events;
  bool complete = true;
  std::size_t rejectAt = 0;  // 1-based index of the token to reject; 0 accepts all
  int inits = 0;

 private:
  Reader* reader_ = nullptr;
  SymbolStore symbols_;
};

struct Scan {
  // Scans a text as Read would hand it over (with its terminating zero byte).
  bool Run(const std::string& text) {
    return reader.OnInit(text.c_str(), text.size()) && reader.OnRead(text.c_str(), text.size());
  }

  Error error;
  FakeInterpreter compiler;
  ScriptReader reader{false, &compiler, &error};
};

Tokens TokensOf(const std::string& text) {
  Scan scan;
  EXPECT_TRUE(scan.Run(text)) << text << ": " << scan.error.Name();
  return scan.compiler.TokenList();
}

TEST(ScriptReaderTest, WordCodes) {
  const std::string hex16 = "0x" + std::string(16, 'f');
  const std::string binary64 = std::string(64, '1') + "b";
  const std::string hex16Suffix = std::string(16, '9') + "h";
  const Tokens expected = {
      {TYPE_TOKEN, "abc"},        {TYPE_TOKEN, "_x1"},
      {TYPE_WHILE, "while"},      {TYPE_TOKEN, "While"},
      {TYPE_CONST_BOOL, "true"},  {TYPE_CONST_BOOL, "false"},
      {TYPE_CAST, "cast"},        {TYPE_I64, "i64"},
      {TOKEN_HEX_PREFIX, "0x1F"}, {TOKEN_HEX_PREFIX, "0XfG"},
      {TOKEN_HEX_PREFIX, hex16},  {TOKEN_HEX_SUFFIX, "1Fh"},
      {TOKEN_HEX_SUFFIX, "0H"},   {TOKEN_HEX_SUFFIX, hex16Suffix},
      {TOKEN_BINARY, "101b"},     {TOKEN_BINARY, "12ab"},
      {TOKEN_BINARY, binary64},   {TOKEN_EXPONENT, "2e"},
      {TOKEN_EXPONENT, "1E"},     {TYPE_CONST_NUM, "0"},
      {TYPE_CONST_NUM, "1234"},   {TYPE_NONE, "12ax"},
      {TYPE_NONE, "1e5"},         {TYPE_NONE, "9_"},
  };
  std::string text;
  for (const auto& [code, word] : expected) text += word + " ";
  EXPECT_EQ(expected, TokensOf(text + "\n"));
}

TEST(ScriptReaderTest, EveryOperatorTextScansToItsTableCode) {
  for (const auto& [text, code] : OperatorTable()) {
    EXPECT_EQ(Tokens({{code, text}}), TokensOf(text + " \n")) << text;
  }
}

TEST(ScriptReaderTest, OperatorCombinations) {
  const struct {
    std::string text;
    Tokens tokens;
  } cases[] = {
      {"a<<=b", {{TYPE_TOKEN, "a"}, {TYPE_SHIFT_LEFT_ASSIGN, "<<="}, {TYPE_TOKEN, "b"}}},
      {"a>>b", {{TYPE_TOKEN, "a"}, {TYPE_SHIFT_RIGHT, ">>"}, {TYPE_TOKEN, "b"}}},
      {"1.5", {{TYPE_CONST_NUM, "1"}, {TYPE_DOT, "."}, {TYPE_CONST_NUM, "5"}}},
      {"x+++y", {{TYPE_TOKEN, "x"}, {TYPE_INC_OP, "++"}, {TYPE_ADD, "+"}, {TYPE_TOKEN, "y"}}},
      {"===", {{TYPE_EQ, "=="}, {TYPE_ASSIGN, "="}}},
      {"<<<", {{TYPE_SHIFT_LEFT, "<<"}, {TYPE_LESS, "<"}}},
      {"**", {{TYPE_MUL, "*"}, {TYPE_MUL, "*"}}},
      {"!!", {{TYPE_NOT, "!"}, {TYPE_NOT, "!"}}},
      {"@@a", {{TYPE_REF, "@"}, {TYPE_REF, "@"}, {TYPE_TOKEN, "a"}}},
      {"a@=b", {{TYPE_TOKEN, "a"}, {TYPE_REF_ASSIGN, "@="}, {TYPE_TOKEN, "b"}}},
      // Any operator character takes a following "="; the compiler rejects the odd ones.
      {"(=", {{TYPE_BASIC_SCOPE, "(="}}},
      {",=", {{TYPE_SEMICOLON, ",="}}},
      {"]=", {{TYPE_PARENTHESIS, "]="}}},
      {"f(a[1]);",
       {{TYPE_TOKEN, "f"},
        {TYPE_PARENTHESIS, "("},
        {TYPE_TOKEN, "a"},
        {TYPE_SUBSCRIPT, "["},
        {TYPE_CONST_NUM, "1"},
        {TYPE_SUBSCRIPT, "]"},
        {TYPE_PARENTHESIS, ")"},
        {TYPE_SEMICOLON, ";"}}},
      {"a/b/=c", {{TYPE_TOKEN, "a"}, {TYPE_DIV, "/"}, {TYPE_TOKEN, "b"}, {TYPE_DIV_ASSIGN, "/="}, {TYPE_TOKEN, "c"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.tokens, TokensOf(c.text + "\n")) << c.text;
}

TEST(ScriptReaderTest, CommentsAndStrings) {
  const struct {
    std::string text;
    Tokens tokens;
  } cases[] = {
      {"/**/a", {{TYPE_TOKEN, "a"}}},
      {"/*/ */a", {{TYPE_TOKEN, "a"}}},
      {"/* ** \n */a", {{TYPE_TOKEN, "a"}}},
      {"/* /* */ a */", {{TYPE_TOKEN, "a"}, {TYPE_MUL, "*"}, {TYPE_DIV, "/"}}},
      {"a // b /* \nc", {{TYPE_TOKEN, "a"}, {TYPE_TOKEN, "c"}}},
      {"a //", {{TYPE_TOKEN, "a"}}},
      {"\"it\\'s\"", {{TYPE_CONST, "\"it's\""}}},
      {"'say \\\"hi\\\"'", {{TYPE_CONST, "'say \"hi\"'"}}},
      {"\"\\a\\b\\t\\n\\v\\f\\r\\\"\\'\\\\\"", {{TYPE_CONST, "\"\a\b\t\n\v\f\r\"'\\\""}}},
      {"\"raw\ttab\r\nline\"", {{TYPE_CONST, "\"raw\ttab\r\nline\""}}},
      {"\"/* no comment */\"", {{TYPE_CONST, "\"/* no comment */\""}}},
      {"\"\"''", {{TYPE_CONST, "\"\""}, {TYPE_CONST, "''"}}},
      {"x\"a\"", {{TYPE_TOKEN, "x"}, {TYPE_CONST, "\"a\""}}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.tokens, TokensOf(c.text + "\n")) << c.text;
}

TEST(ScriptReaderTest, EndOfTextNeedsEmptyBufferAndCompleteProgram) {
  Scan word;
  EXPECT_FALSE(word.Run("x = abc"));
  EXPECT_EQ(static_cast<int32_t>(ErrorCode::UNEXPECTED_END_OF_SCRIPT), word.error.Code());
  EXPECT_EQ("UNEXPECTED_END_OF_SCRIPT", word.error.Name());
  EXPECT_STREQ("script::ScriptReader::OnRead", word.error.Function());
  EXPECT_STREQ("Compiler", word.error.Module());
  EXPECT_EQ(2u, word.compiler.events.size());  // the last word is never passed on
  EXPECT_EQ(8, word.reader.Column());

  Scan withLineFeed;
  EXPECT_TRUE(withLineFeed.Run("x = abc\n"));
  EXPECT_EQ(0, withLineFeed.error.Code());

  Scan incomplete;
  incomplete.compiler.complete = false;
  EXPECT_FALSE(incomplete.Run("x = abc;\n"));
  EXPECT_STREQ("script::ScriptReader::OnRead", incomplete.error.Function());
  EXPECT_EQ(2, incomplete.reader.Line());

  Scan empty;
  EXPECT_TRUE(empty.Run(""));
}

TEST(ScriptReaderTest, ScanStopsAtFirstZeroByte) {
  const std::string text("a;\n\0#$", 6);
  Scan scan;
  EXPECT_TRUE(scan.Run(text));
  EXPECT_EQ(Tokens({{TYPE_TOKEN, "a"}, {TYPE_SEMICOLON, ";"}}), scan.compiler.TokenList());
}

TEST(ScriptReaderTest, TokenPositions) {
  Scan scan;
  ASSERT_TRUE(scan.Run("ab = 1;\n\tcd\n  \"q\\tr\" z\r\nw\t\tv /* c\nbc */ x // c\n\"a\nb\" t\n"));
  const std::vector<Event> expected = {
      {TYPE_TOKEN, "ab", 1, 1},    {TYPE_ASSIGN, "=", 1, 4},       {TYPE_CONST_NUM, "1", 1, 6},
      {TYPE_SEMICOLON, ";", 1, 7}, {TYPE_TOKEN, "cd", 2, 9},       {TYPE_CONST, "\"q\tr\"", 3, 3},
      {TYPE_TOKEN, "z", 3, 10},    {TYPE_TOKEN, "w", 4, 1},        {TYPE_TOKEN, "v", 4, 18},
      {TYPE_TOKEN, "x", 5, 7},     {TYPE_CONST, "\"a\nb\"", 6, 1}, {TYPE_TOKEN, "t", 7, 4},
  };
  EXPECT_EQ(expected, scan.compiler.events);
}

TEST(ScriptReaderTest, Failures) {
  const struct {
    std::string text;
    ErrorCode code;
    const char* function;
    int32_t line;
    int32_t column;
  } cases[] = {
      {"a<<", ErrorCode::UNEXPECTED_END_OF_SCRIPT, "script::ScriptReader::ProcessOperator", 1, 2},
      {"a>>", ErrorCode::UNEXPECTED_END_OF_SCRIPT, "script::ScriptReader::ProcessOperator", 1, 2},
      {"x\n 0x;", ErrorCode::INVALID_HEX_NUMBER, "script::ScriptReader::ProcessToken", 2, 2},
      {"0x" + std::string(17, '1') + ";", ErrorCode::INVALID_HEX_NUMBER, "script::ScriptReader::ProcessToken", 1, 1},
      {std::string(17, '1') + "h;", ErrorCode::INVALID_HEX_NUMBER, "script::ScriptReader::ProcessToken", 1, 1},
      {"\t" + std::string(65, '1') + "b;", ErrorCode::INVALID_BINARY_NUMBER, "script::ScriptReader::ProcessToken", 1,
       9},
      {"a ~= b;", ErrorCode::INVALID_OPERATOR, "script::ScriptReader::ProcessOperator", 1, 3},
      {"a # b;", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 1, 3},
      {"a$", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 1, 2},
      {"?", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 1, 1},
      {"`", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 1, 1},
      {"a\\n", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 1, 2},
      {"\x7f", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 1, 1},
      {"\n\xc3\xa9", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 2, 1},
      {"a\vb", ErrorCode::UNEXPECTED_CHARACTER, "script::ScriptReader::ProcessOperator", 1, 2},
      {"a /* b\n c", ErrorCode::UNEXPECTED_END_OF_SCRIPT, "script::ScriptReader::SkipLongComment", 2, 3},
      {"/*/", ErrorCode::UNEXPECTED_END_OF_SCRIPT, "script::ScriptReader::SkipLongComment", 1, 4},
      {"x\n  'a\"'", ErrorCode::EXPECTING_SINGLE_QUOTATION_MARK, "script::ScriptReader::EndConstString", 2, 5},
      {"\"a'b\"", ErrorCode::EXPECTING_DOUBLE_QUOTATION_MARK, "script::ScriptReader::EndConstString", 1, 3},
      {"\"a\\qb\"", ErrorCode::INVALID_ESCAPE_CHARACTER, "script::ScriptReader::EndConstString", 1, 4},
      {"\"a\\\nb\"", ErrorCode::INVALID_ESCAPE_CHARACTER, "script::ScriptReader::EndConstString", 1, 4},
      {"\"ab\ncd", ErrorCode::UNEXPECTED_END_OF_SCRIPT, "script::ScriptReader::EndConstString", 2, 3},
      {"'ab\\", ErrorCode::UNEXPECTED_END_OF_SCRIPT, "script::ScriptReader::EndConstString", 1, 5},
  };
  for (const auto& c : cases) {
    Scan scan;
    EXPECT_FALSE(scan.Run(c.text)) << c.text;
    EXPECT_EQ(static_cast<int32_t>(c.code), scan.error.Code()) << c.text;
    EXPECT_EQ(ErrorName(c.code), scan.error.Name()) << c.text;
    EXPECT_STREQ(c.function, scan.error.Function()) << c.text;
    EXPECT_EQ(c.line, scan.reader.Line()) << c.text;
    EXPECT_EQ(c.column, scan.reader.Column()) << c.text;
  }
}

TEST(ScriptReaderTest, RejectedTokenStopsScanAndKeepsPosition) {
  const struct {
    std::string text;
    std::size_t rejectAt;
    int32_t line;
    int32_t column;
  } cases[] = {
      {"a\n  bcd e\n", 2, 2, 3},  // a word: its first character
      {"a\n  <<= e\n", 2, 2, 3},  // an operator: its first character
      {"a 'x\ny' e\n", 2, 2, 3},  // a string constant: after its closing mark
  };
  for (const auto& c : cases) {
    Scan scan;
    scan.compiler.rejectAt = c.rejectAt;
    EXPECT_FALSE(scan.Run(c.text)) << c.text;
    EXPECT_EQ(c.rejectAt, scan.compiler.events.size()) << c.text;
    EXPECT_EQ(c.line, scan.reader.Line()) << c.text;
    EXPECT_EQ(c.column, scan.reader.Column()) << c.text;
  }
}

TEST(ScriptReaderTest, InitClearsErrorAndStartsCompile) {
  Error error;
  FakeInterpreter compiler;
  ScriptReader reader(false, &compiler, &error);
  EXPECT_EQ(&reader, compiler.CurrentReader());
  EXPECT_FALSE(reader.OnRead("a", 1));
  EXPECT_TRUE(reader.OnInit("", 0));
  EXPECT_EQ(0, error.Code());
  EXPECT_EQ(1, reader.Line());
  EXPECT_EQ(1, reader.Column());
  EXPECT_EQ(1, compiler.inits);
  EXPECT_FALSE(reader.OnInit(nullptr, 0));
  EXPECT_EQ("INVALID_POINTER", error.Name());

  ScriptReader include(true, &compiler, &error);
  EXPECT_TRUE(include.OnInit("", 0));
  EXPECT_EQ(1, compiler.inits);  // an included file joins the running compile
}

TEST(ScriptReaderTest, ReadLoadsWholeFile) {
  test::TempDir dir;
  const std::string path = dir.Write("a.kelvra", std::string(100000, ' ') + "x;\n");
  Scan scan;
  int systemError = -1;
  EXPECT_TRUE(scan.reader.Read(path, systemError));
  EXPECT_EQ(0, systemError);
  EXPECT_EQ(path, scan.reader.Path());
  EXPECT_EQ(Tokens({{TYPE_TOKEN, "x"}, {TYPE_SEMICOLON, ";"}}), scan.compiler.TokenList());
}

TEST(ScriptReaderTest, ReadReportsSystemErrors) {
  test::TempDir dir;
  Scan missing;
  int systemError = 0;
  EXPECT_FALSE(missing.reader.Read(dir.PathOf("missing.kelvra"), systemError));
  EXPECT_EQ(ENOENT, systemError);
  EXPECT_EQ("", missing.reader.Path());

  Scan directory;
  EXPECT_FALSE(directory.reader.Read(dir.Root().string(), systemError));
  EXPECT_EQ(EISDIR, systemError);
  EXPECT_TRUE(directory.compiler.events.empty());
}

TEST(ScriptReaderTest, LongWordsAndUnterminatedTexts) {
  const std::string word(1 << 16, 'w');
  EXPECT_EQ(Tokens({{TYPE_TOKEN, word}}), TokensOf(word + "\n"));
  for (const std::string& text : {"\"" + word, "/*" + word, word, std::string((1 << 16) + 1, '\'')}) {
    Scan scan;
    EXPECT_FALSE(scan.Run(text));
    EXPECT_NE(0, scan.error.Code());
  }
}

TEST(ScriptReaderTest, RandomBytesNeverBreakTheScan) {
  std::mt19937 random(20240611);
  // Plain random bytes, and texts drawn from the characters the scanner treats specially.
  const std::string special = "\"'\\/*\n\r\t @=<>|&+-~!0xXbBeEhH19az_;(){}[].,:#$?`\x80\xff";
  for (int round = 0; round < 4000; ++round) {
    std::string text(random() % 64, '\0');
    for (char& c : text) {
      c = round % 2 == 0 ? static_cast<char>(random() % 256) : special[random() % special.size()];
    }
    Scan scan;
    const bool ok = scan.Run(text);
    EXPECT_EQ(ok, scan.error.Code() == 0) << testing::PrintToString(text);
    EXPECT_GE(scan.reader.Line(), 1);
    EXPECT_GE(scan.reader.Column(), 1);
  }
}

}  // namespace
}  // namespace script
