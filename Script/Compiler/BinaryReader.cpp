#include "Script/Compiler/BinaryReader.h"

#include <cstring>
#include <string_view>

#include "Script/Compiler/CompiledFile.h"
#include "Script/Compiler/InterpreterIf.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Foundation/SymbolStore.h"

namespace script {

namespace {

uint16_t ReadLittleEndian16(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

}  // namespace

bool BinaryReader::OnRead(const char* text, std::size_t length) {
  if (text == nullptr) return Corrupted("script::BinaryReader::OnRead");
  Cursor at = reinterpret_cast<Cursor>(text);
  const Cursor end = at + length;
  if (!OnHeader(at, end) || !OnSymbols(at, end) || !OnTokens(at, end)) return false;
  // A stream cut between two tokens would leave a program half built.
  if (!interpreter_->IsComplete()) return Corrupted("script::BinaryReader::OnRead");
  return true;
}

bool BinaryReader::OnHeader(Cursor& at, Cursor end) {
  constexpr const char* kWhere = "script::BinaryReader::OnHeader";
  if (static_cast<std::size_t>(end - at) < compiled::kHeaderSize) return Corrupted(kWhere);
  if (std::memcmp(at, compiled::kMagic.data(), compiled::kMagic.size()) != 0) return Corrupted(kWhere);
  at += compiled::kMagic.size();
  // Only the first byte of each 16-bit value is examined.
  if (at[0] > compiled::kFirstHeaderValue) return Corrupted(kWhere);
  firstHeaderValue_ = ReadLittleEndian16(at);
  at += 2;
  if (at[0] != compiled::kSecondHeaderValue) return Corrupted(kWhere);
  secondHeaderValue_ = ReadLittleEndian16(at);
  at += 2;
  buildStamp_.assign(reinterpret_cast<const char*>(at), compiled::kBuildStamp.size());
  at += compiled::kBuildStamp.size();
  return true;
}

bool BinaryReader::OnSymbols(Cursor& at, Cursor end) {
  constexpr const char* kWhere = "script::BinaryReader::OnSymbols";
  SymbolStore& symbols = interpreter_->Symbols();
  // The stored texts take the ids from 83 on, as in the writer: the first
  // of them are the built-in names the compiler has interned already. A
  // text that lands elsewhere (a duplicate, a file from a compiler with
  // other predefined symbols) would give every later id the wrong text;
  // a text no source could hold is no token at all.
  uint32_t expected = compiled::kFirstStoredSymbol;
  while (true) {
    if (at == end) return Corrupted(kWhere);
    const auto* terminator = static_cast<Cursor>(std::memchr(at, 0, static_cast<std::size_t>(end - at)));
    if (terminator == nullptr) return Corrupted(kWhere);
    const std::string_view text(reinterpret_cast<const char*>(at), static_cast<std::size_t>(terminator - at));
    at = terminator + 1;
    if (text.empty()) break;
    if (!compiled::IsTokenText(text) || symbols.InternSymbol(text) != expected++) return Corrupted(kWhere);
  }
  codes_.resize(symbols.SymbolCount());
  for (uint32_t id = 0; id < codes_.size(); ++id) {
    const std::string& text = symbols.Symbol(id);
    codes_[id] = compiled::IsTokenText(text) ? compiled::TokenCodeOf(text) : kNoToken;
  }
  return true;
}

bool BinaryReader::OnTokens(Cursor at, Cursor end) {
  const SymbolStore& symbols = interpreter_->Symbols();
  while (at < end) {
    uint32_t id = 0;
    const std::size_t length = compiled::DecodeId(at, end, id);
    if (length == 0) return Corrupted("script::BinaryReader::OnRead");
    at += length;
    if (id >= codes_.size()) {
      return error_->Raise(ErrorCode::SYMBOL_NOT_FOUND, module::kCompiler, "script::BinaryReader::OnRead");
    }
    // The predefined symbols "", "()" and "[]" are no tokens.
    if (codes_[id] == kNoToken) return Corrupted("script::BinaryReader::OnRead");
    if (!OnToken(codes_[id], symbols.Symbol(id))) return false;
  }
  return true;
}

bool BinaryReader::Corrupted(const char* function) {
  return error_->Raise(ErrorCode::CORRUPTED_FILE, module::kCompiler, function);
}

}  // namespace script
