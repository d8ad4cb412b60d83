// The compiled script file: the forms of symbol ids, the token code of a
// stored text, the layout the writer produces, and damaged files, which are
// rejected with one report and never read on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Script/Compiler/CompiledFile.h"
#include "Script/Expressions/NodeType.h"
#include "Script/Script/CompilerRunner.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Encoded(uint32_t id) {
  unsigned char bytes[compiled::kMaxIdBytes];
  return Bytes(bytes, bytes + compiled::EncodeId(id, bytes));
}

TEST(CompiledFileTest, IdsTakeTheirShortestForm) {
  const std::pair<uint32_t, Bytes> cases[] = {
      {0, {0x00}},
      {63, {0x3F}},
      {64, {0x40, 0x40}},
      {16383, {0x7F, 0xFF}},
      {16384, {0x80, 0x40, 0x00}},
      {4194303, {0xBF, 0xFF, 0xFF}},
      {4194304, {0xC0, 0x40, 0x00, 0x00}},
      {1073741823, {0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& [id, bytes] : cases) {
    EXPECT_EQ(bytes, Encoded(id)) << id;
    uint32_t decoded = 0;
    EXPECT_EQ(bytes.size(), compiled::DecodeId(bytes.data(), bytes.data() + bytes.size(), decoded)) << id;
    EXPECT_EQ(id, decoded);
    // Cut anywhere inside its form, the id does not decode.
    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
      EXPECT_EQ(0u, compiled::DecodeId(bytes.data(), bytes.data() + cut, decoded)) << id << " cut at " << cut;
  }
  EXPECT_TRUE(Encoded(1073741824).empty());
}

TEST(CompiledFileTest, StoredTextsGiveTheirTokenCodes) {
  const std::pair<std::string, int32_t> cases[] = {
      {"while", TYPE_WHILE},
      {"false", TYPE_CONST_BOOL},
      {"cast", TYPE_CAST},
      {"(", TYPE_PARENTHESIS},
      {")", TYPE_PARENTHESIS},
      {"}", TYPE_SCOPE},
      {"]", TYPE_SUBSCRIPT},
      {"<<=", TYPE_SHIFT_LEFT_ASSIGN},
      {"_name1", TYPE_TOKEN},
      {"0x1F", TOKEN_HEX_PREFIX},
      {"0x", TYPE_NONE},
      {"0x" + std::string(17, 'f'), TYPE_NONE},
      {"101b", TOKEN_BINARY},
      {std::string(65, '1') + "b", TYPE_NONE},
      {"15e", TOKEN_EXPONENT},
      {"0FFh", TOKEN_HEX_SUFFIX},
      {std::string(17, '9') + "h", TYPE_NONE},
      {"0123", TYPE_CONST_NUM},
      {"\"text\"", TYPE_CONST},
      {"'c'", TYPE_CONST},
      {"12ab", TOKEN_BINARY},
      {"1a2", TYPE_NONE},
  };
  for (const auto& [text, code] : cases) EXPECT_EQ(code, compiled::TokenCodeOf(text)) << text;
}

TEST(CompiledFileTest, OnlyTokensAreStoredTexts) {
  for (const char* text : {"name", "12ab", "<<=", "\"a\nb\"", "'\"'", "\"\""})
    EXPECT_TRUE(compiled::IsTokenText(text)) << text;
  for (const char* text : {"a b", "\"", "'open", "\"mixed'", "#", "a.b", "()"})
    EXPECT_FALSE(compiled::IsTokenText(text)) << text;
}

// Compiles a script in a fresh folder and loads compiled files beside it.
class CompiledFileFixture : public testing::Test {
 protected:
  std::string Compile(const std::string& source) {
    test::CaptureSink sink;
    CompilerRunner runner(dir_.Write("main.kelvra", source), &sink);
    EXPECT_TRUE(runner.Load() && runner.Execute()) << testing::PrintToString(sink.Lines(CHANNEL_BUILD));
    return test::ReadFile(dir_.PathOf("main.kelvra.bin"));
  }
  // The build report of loading the bytes as a compiled file.
  std::vector<std::string> Load(const std::string& bytes) {
    test::CaptureSink sink;
    ScriptRunner runner(dir_.Write("loaded.bin", bytes), &sink);
    runner.Load();
    return test::WithoutEngineLines(sink.Lines(CHANNEL_BUILD));
  }

  test::TempDir dir_;
};

const std::string kStoredBuiltIns =
    std::string("cast\0lock\0unlock\0sizeof\0arr2str\0warr2str\0str2arr\0str2warr\0", 58);

TEST_F(CompiledFileFixture, TheSmallestProgramStoresTheBuiltInNames) {
  const std::string header = std::string("KVRA\1\0\0\0", 8) + "Wed Dec 13 11:25:23 2023";
  EXPECT_EQ(header + kStoredBuiltIns + std::string(1, '\0'), Compile("// nothing\n"));
  // The names are followed by the program's own symbols in the order met,
  // string constants with their quotation marks and resolved escapes.
  EXPECT_EQ(header + kStoredBuiltIns + std::string("s\0\"a\tb\"\0", 8) + std::string(1, '\0') +
                "\x3B\x40\x5B\x28\x40\x5C\x2B",
            Compile("string s = \"a\\tb\";\n"));
}

TEST_F(CompiledFileFixture, DamagedFilesAreRejected) {
  const std::string good = Compile("i32 a = 1;\nfunction i32 f() { return a; }\n");
  const std::size_t tokens = good.find(std::string("\0\0", 2), 32) + 2;
  auto replaced = [&](std::size_t at, const std::string& bytes) {
    return std::string(good).replace(at, bytes.size(), bytes);
  };
  struct Case {
    const char* damage;
    std::string bytes;
    const char* error;
    const char* where;  // the raising operation
  };
  const Case cases[] = {
      {"empty file", "", "CORRUPTED_FILE", "BinaryReader::OnHeader"},
      {"other magic", replaced(0, "KVRB"), "CORRUPTED_FILE", "BinaryReader::OnHeader"},
      {"first header value 2", replaced(4, "\2"), "CORRUPTED_FILE", "BinaryReader::OnHeader"},
      {"second header value 1", replaced(6, "\1"), "CORRUPTED_FILE", "BinaryReader::OnHeader"},
      {"cut inside the stamp", good.substr(0, 20), "CORRUPTED_FILE", "BinaryReader::OnHeader"},
      {"symbol table without its end", good.substr(0, 60), "CORRUPTED_FILE", "BinaryReader::OnSymbols"},
      {"built-in name misplaced", replaced(32, "tsac"), "CORRUPTED_FILE", "BinaryReader::OnSymbols"},
      {"stored text that is no token", replaced(tokens - 3, "#"), "CORRUPTED_FILE", "BinaryReader::OnSymbols"},
      {"cut inside a two-byte id", good.substr(0, tokens) + "\x40", "CORRUPTED_FILE", "BinaryReader::OnRead"},
      {"cut between two tokens", good.substr(0, good.size() - 1), "CORRUPTED_FILE", "BinaryReader::OnRead"},
      {"id of the symbol \"()\"", good.substr(0, tokens) + "\x01", "CORRUPTED_FILE", "BinaryReader::OnRead"},
      {"id out of range", good.substr(0, tokens) + "\x7F\xFF", "SYMBOL_NOT_FOUND", "BinaryReader::OnRead"},
      {"tokens the compiler rejects", good.substr(0, tokens) + "\x07", "UNEXPECTED_END_OF_SCOPE",
       "Interpreter::EndScope"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> report = {std::string("ERROR: ") + c.error + " in \"\", line: 1, pos: 1",
                                             std::string("INTERNAL: Compiler(N): script::") + c.where};
    EXPECT_EQ(report, Load(c.bytes)) << c.damage;
  }
}

TEST_F(CompiledFileFixture, HeaderValuesAndStampAreNotCompared) {
  const std::string good = Compile("i32 a = 1;\n");
  const std::vector<std::string> loads = {"Build succeeded."};
  EXPECT_EQ(loads, Load(std::string(good).replace(4, 2, std::string("\0\0", 2)))) << "first header value 0";
  EXPECT_EQ(loads, Load(std::string(good).replace(5, 1, "\7"))) << "second byte of the first value";
  EXPECT_EQ(loads, Load(std::string(good).replace(8, 24, "Thu Jan  1 00:00:00 1970"))) << "other stamp";
}

TEST_F(CompiledFileFixture, IdsInLongerFormsThanNeededAreRead) {
  // "i32 a ;" with the ids of "i32" (53) and "a" (91) in three- and
  // four-byte forms, ";" (43) in a two-byte form.
  const std::string good = Compile("i32 a;\n");
  const std::size_t tokens = good.find(std::string("\0\0", 2), 32) + 2;
  EXPECT_EQ(std::string("\x35\x40\x5B\x2B", 4), good.substr(tokens));
  EXPECT_EQ(std::vector<std::string>{"Build succeeded."},
            Load(good.substr(0, tokens) + std::string("\x80\x00\x35\xC0\x00\x00\x5B\x40\x2B", 9)));
}

TEST_F(CompiledFileFixture, ManySymbolsTakeLongerIds) {
  // Ids from 16384 on take three bytes; the file loads back.
  std::string source;
  for (int k = 0; k < 16400; ++k) source += "i32 v" + std::to_string(k) + ";\n";
  const std::string bytes = Compile(source);
  const std::size_t tokens = bytes.find(std::string("\0\0", 2), 32) + 2;
  // "v16292" has the id 16383, "v16293" 16384.
  EXPECT_NE(std::string::npos, bytes.find(std::string("\x35\x7F\xFF\x2B\x35\x80\x40\x00\x2B", 9), tokens));
  EXPECT_EQ(std::vector<std::string>{"Build succeeded."}, Load(bytes));
}

}  // namespace
}  // namespace script
