#include <gtest/gtest.h>

#include "Script/Compiler/Interpreter.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Diagnostics/Error.h"

namespace script {
namespace {

TEST(SymbolStoreTest, PredefinedSymbolsTakeTheirIds) {
  SymbolStore store;
  const std::pair<uint32_t, const char*> cases[] = {
      {0, ""},   {1, "()"},      {8, "]"},     {9, "+"},        {12, "-"},     {44, ","},
      {47, "@"}, {48, "bool"},   {59, "string"}, {60, "true"},  {61, "false"}, {62, "function"},
      {77, "error"}, {78, "name"}, {82, "symbol"},
  };
  for (const auto& [id, text] : cases) {
    EXPECT_EQ(text, store.Symbol(id)) << id;
    EXPECT_EQ(id, store.InternSymbol(text)) << text;
  }
  EXPECT_EQ(83u, store.SymbolCount());
  EXPECT_EQ(SymbolStore::kLastPredefined, store.PredefinedCount());
}

TEST(SymbolStoreTest, InterningAppendsOnceAndResetKeepsFiles) {
  SymbolStore store;
  EXPECT_EQ(83u, store.InternSymbol("alpha"));
  EXPECT_EQ(84u, store.InternSymbol("beta"));
  EXPECT_EQ(83u, store.InternSymbol("alpha"));
  EXPECT_EQ("", store.Symbol(1000));
  EXPECT_EQ(-1, store.FindSymbol("gamma"));
  EXPECT_EQ(0u, store.InternFile("/a.kelvra"));
  EXPECT_EQ(1u, store.InternFile("/b.kelvra"));
  store.Reset();
  EXPECT_EQ(83u, store.SymbolCount());
  EXPECT_EQ("/b.kelvra", store.File(1));
}

TEST(SymbolStoreTest, HashIsFnv1a) {
  Fnv1aHash hash;
  EXPECT_EQ(2166136261u, hash(""));
  EXPECT_EQ(0xe40c292cu, hash("a"));
  EXPECT_EQ(0xbf9cf968u, hash("foobar"));
}

TEST(InterpreterTest, InitInternsTheBuiltInNamesAfterThePredefinedSymbols) {
  Error error;
  Interpreter interpreter(&error, nullptr);
  ASSERT_TRUE(interpreter.Init());
  const char* names[] = {"cast", "lock", "unlock", "sizeof", "arr2str", "warr2str", "str2arr", "str2warr"};
  for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(names[i], interpreter.Symbols().Symbol(83 + i));
  EXPECT_NE(nullptr, interpreter.GetRoot());
  EXPECT_TRUE(interpreter.IsComplete());
}

}  // namespace
}  // namespace script
