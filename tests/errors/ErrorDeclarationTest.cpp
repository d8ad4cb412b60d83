// What the script output cannot show of error declarations and built-ins:
// how they write themselves as tokens, and how the Error type fills a
// variable whose error names no file or symbol of the tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Script/Diagnostics/RuntimeErrorReporter.h"
#include "Script/Expressions/Errors/ErrorNode.h"
#include "Script/Expressions/Errors/ErrorType.h"
#include "Script/Expressions/Errors/ErrorVariable.h"
#include "Script/Expressions/Scope.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Memory/Memory.h"
#include "Script/Script/ScriptRunner.h"
#include "Script/VariableView/VariableChildren.h"
#include "Script/VariableView/VariableText.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"
#include "tests/types/RecordingSerializer.h"

namespace script {
namespace {

TEST(ErrorDeclarationTest, WritesKeywordVariableInParenthesesAndBody) {
  test::TempDir dir;
  test::CaptureSink sink;
  ScriptRunner runner(dir.Write("main.kelvra", "error (failed) { }\n"), &sink);
  ASSERT_TRUE(runner.Load());
  const auto* root = static_cast<const Scope*>(runner.GetInterpreter().GetRoot());
  const SymbolStore& symbols = runner.GetInterpreter().Symbols();

  std::string builtIns;
  const ErrorNode* declaration = nullptr;
  for (Node* statement : root->Statements()) {
    if (statement->IsKindOf(TYPE_FUNCTION)) {
      test::RecordingSerializer serializer;
      statement->Serialize(&serializer);
      builtIns += serializer.Text();
    } else if (statement->TypeId() == TYPE_ERROR) {
      declaration = static_cast<const ErrorNode*>(statement);
    }
  }
  EXPECT_EQ("", builtIns) << "built-in functions are not part of the script text";
  ASSERT_NE(nullptr, declaration);

  test::RecordingSerializer serializer;
  const_cast<ErrorNode*>(declaration)->Serialize(&serializer);
  const std::string variable = "s" + std::to_string(symbols.FindSymbol("failed"));
  const std::string text = serializer.Text();
  EXPECT_EQ(0u, text.rfind("<102 <50 " + variable + " >50 <96 <52 ", 0)) << text;
  const std::string end = " >52 >102";
  EXPECT_EQ(text.size() - end.size(), text.rfind(end)) << text;

  test::RecordingSerializer typeWriter;
  declaration->Instance()->GetType()->Serialize(&typeWriter);
  EXPECT_EQ("", typeWriter.Text()) << "the built-in Error type is never written";
}

TEST(ErrorDeclarationTest, IndicesOutsideTheTablesFillEmptyTexts) {
  SymbolStore symbols;
  const uint32_t file = symbols.InternFile("main.kelvra");
  ErrorType type(symbols);
  Memory heap;
  MemoryBlockRef* storage = heap.NewOwnedRef(&type, type.GetSize());
  ASSERT_NE(nullptr, storage);

  auto describe = [&](const LastRuntimeError& error) {
    type.Fill(storage->Block(), 0, error);
    const ViewedVariable variable = InspectSlot("e", &type, storage, &symbols);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < ChildCount(variable); ++i) {
      const ViewedVariable member = ChildAt(variable, i);
      lines.push_back(member.name + " : " + member.type->GetName(symbols) + " = " + ValueText(member, VIEW_DEFAULT));
    }
    return lines;
  };
  EXPECT_EQ((std::vector<std::string>{"name : string = \"Division by zero\"", "line : ui32 = 3",
                                      "position : ui32 = 9", "file : string = \"main.kelvra\"",
                                      "trace : string = \"main.kelvra [main.kelvra, line: 3, pos: 1]\"",
                                      "symbol : string = \"/\""}),
            describe({"Division by zero", "main.kelvra [main.kelvra, line: 3, pos: 1]",
                      SourcePosition{symbols.InternSymbol("/"), file, 3, 9}, 0}));
  EXPECT_EQ((std::vector<std::string>{"name : string = \"lost\"", "line : ui32 = 0", "position : ui32 = 0",
                                      "file : string = \"\"", "trace : string = \"\"", "symbol : string = \"\""}),
            describe({"lost", "", SourcePosition{999999, 999999, 0, 0}, 0}));
  EXPECT_EQ("Error", type.GetName(symbols));
  storage->Release();
}

}  // namespace
}  // namespace script
