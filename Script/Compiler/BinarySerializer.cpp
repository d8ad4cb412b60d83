#include "Script/Compiler/BinarySerializer.h"

#include <string_view>

#include "Script/Compiler/CompiledFile.h"
#include "Script/Compiler/Interpreter.h"

namespace script {

namespace {

int64_t TextId(const SymbolStore& symbols, std::string_view text) {
  return text.empty() ? -1 : symbols.FindSymbol(text);
}

bool IsTokenCode(int32_t code) { return code >= 0 && code < kNodeTypeCount; }

}  // namespace

BinarySerializer::BinarySerializer(Interpreter& interpreter, Error& error) : FileSerializer(interpreter, error) {
  for (int32_t code = 0; code < kNodeTypeCount; ++code) {
    openingIds_[code] = code == TYPE_EMPTY ? kNoSymbol : TextId(symbols_, compiled::OpeningText(code));
    closingIds_[code] = TextId(symbols_, compiled::ClosingText(code));
  }
}

bool BinarySerializer::Write(const char* bytes, std::size_t length) {
  if (bytes != nullptr) Put(std::string_view(bytes, length));
  return true;
}

bool BinarySerializer::WriteSymbol(const SourcePosition& position) {
  if (position.symbol > compiled::kMaxSymbolId) return false;
  if (position.symbol != 0) WriteId(position.symbol);
  return true;
}

bool BinarySerializer::WriteToken(int32_t code) {
  if (!IsTokenCode(code) || openingIds_[code] == kNoSymbol) return false;
  WriteId(static_cast<uint32_t>(openingIds_[code]));
  return true;
}

bool BinarySerializer::WriteEndToken(int32_t code) {
  if (!IsTokenCode(code) || closingIds_[code] == kNoSymbol) return false;
  WriteId(static_cast<uint32_t>(closingIds_[code]));
  return true;
}

void BinarySerializer::WriteHeaderStep() { interpreter_.WriteHeader(*this); }

void BinarySerializer::WriteSymbolsStep() { interpreter_.WriteSymbols(*this); }

void BinarySerializer::WriteId(uint32_t id) {
  unsigned char bytes[compiled::kMaxIdBytes];
  const std::size_t length = compiled::EncodeId(id, bytes);
  Put(std::string_view(reinterpret_cast<const char*>(bytes), length));
}

}  // namespace script
