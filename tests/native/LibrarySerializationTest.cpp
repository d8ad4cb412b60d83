// A library declaration writes itself as the tokens that declare it again:
// the text of those tokens compiles to a declaration that writes the same.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Script/Expressions/Library/LibType.h"
#include "Script/Expressions/Scope.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Foundation/SymbolStore.h"
#include "tests/support/InProcessRun.h"

namespace script {
namespace {

// Writes tokens as their texts, one blank between two tokens.
class TokenText final : public Serializer {
 public:
  explicit TokenText(const SymbolStore& symbols) : symbols_(symbols) {}
  bool Write(const char* bytes, std::size_t length) override { return Add(std::string(bytes, length)); }
  bool WriteSymbol(const SourcePosition& position) override { return Add(symbols_.Symbol(position.symbol)); }
  bool WriteToken(int32_t code) override {
    static const std::map<int32_t, std::string> kOpening = {
        {TYPE_LESS, "<"},      {TYPE_PARENTHESIS, "("}, {TYPE_SCOPE, "{"},      {TYPE_COMMA, ","},
        {TYPE_EMPTY, ""},      {TYPE_LIB, "lib"},       {TYPE_ARRAY, "array"},  {TYPE_FUNCTION_REF_TYPE, "function"},
        {TYPE_I32, "i32"},     {TYPE_UI8, "ui8"},       {TYPE_DOUBLE, "double"}};
    const auto text = kOpening.find(code);
    return text == kOpening.end() || Add(text->second);
  }
  bool WriteEndToken(int32_t code) override {
    static const std::map<int32_t, std::string> kClosing = {{TYPE_GREATER, ">"},
                                                            {TYPE_PARENTHESIS, ")"},
                                                            {TOKEN_SCOPE_CLOSE, "}"},
                                                            {TYPE_SCOPE_END_EXPRESSION, ";"}};
    const auto text = kClosing.find(code);
    return text == kClosing.end() || Add(text->second);
  }
  const std::string& Text() const { return text_; }

 private:
  bool Add(const std::string& token) {
    if (token.empty()) return true;
    if (!text_.empty()) text_ += ' ';
    text_ += token;
    return true;
  }
  const SymbolStore& symbols_;
  std::string text_;
};

// The declaration of the script's first library, as written tokens.
std::string WrittenLibrary(const std::string& script) {
  test::InProcessRun run(script);
  EXPECT_TRUE(run.Loaded()) << script;
  if (!run.Loaded()) return {};
  for (Node* statement : static_cast<Scope*>(run.Program().GetRoot())->Statements()) {
    if (statement->TypeId() != TYPE_LIB) continue;
    TokenText text(run.Program().Symbols());
    statement->Serialize(&text);
    return text.Text();
  }
  return {};
}

TEST(LibrarySerializationTest, TheWrittenDeclarationCompilesToTheSameDeclaration) {
  const std::string prototype = "function i32 cb(i32 v) { return v; }\n";
  const std::string written = WrittenLibrary(
      prototype + "lib (\"libc.so.6\") { i32 getpid(); double @ f(i32 @@, array<ui8, 4>@, function<cb>); } c;");
  EXPECT_EQ(
      "lib ( \"libc.so.6\" ) { i32 getpid ( ) ; double @ f ( i32 @ @ , array < ui8 , 4 > @ , function < cb > ) ; } c",
      written);
  EXPECT_EQ(written, WrittenLibrary(prototype + written + ";"));
}

}  // namespace
}  // namespace script
