#pragma once
// Writes a compiled program as a compiled script file: the header, the
// symbol table and the token stream of symbol ids.
#include <array>
#include <cstdint>

#include "Script/Compiler/FileSerializer.h"
#include "Script/Expressions/NodeType.h"

namespace script {

class BinarySerializer : public FileSerializer {
 public:
  BinarySerializer(Interpreter& interpreter, Error& error);

  // Writes the bytes unchanged.
  bool Write(const char* bytes, std::size_t length) override;
  // Writes the symbol id in its shortest form; the empty symbol (id 0) is
  // no token and is skipped. False for an id too large for the format.
  bool WriteSymbol(const SourcePosition& position) override;
  // The id of the code's opening or closing text, when that text is a
  // symbol of the program; a blank is no token.
  bool WriteToken(int32_t code) override;
  bool WriteEndToken(int32_t code) override;

 protected:
  void WriteHeaderStep() override;
  void WriteSymbolsStep() override;

 private:
  static constexpr int64_t kNoSymbol = -1;
  void WriteId(uint32_t id);

  // Symbol ids of the opening and closing texts by token code.
  std::array<int64_t, kNodeTypeCount> openingIds_;
  std::array<int64_t, kNodeTypeCount> closingIds_;
};

}  // namespace script
