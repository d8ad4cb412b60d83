#pragma once
// Interning tables for symbol texts and script file names.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace script {

// 32-bit FNV-1a over the bytes of a text.
struct Fnv1aHash {
  std::size_t operator()(std::string_view text) const noexcept {
    uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
      hash ^= c;
      hash *= 16777619u;
    }
    return hash;
  }
};

// One interning table: a text gets the index it was first added at.
class InternTable {
 public:
  // The existing index of the text, or the index it is appended at.
  uint32_t Intern(std::string_view text);
  // The index of a text, or -1 when it is not interned.
  int64_t Find(std::string_view text) const;
  // The text at an index; empty for an index outside the table.
  const std::string& At(uint32_t index) const;
  uint32_t Size() const { return static_cast<uint32_t>(texts_.size()); }
  void Clear();

 private:
  std::deque<std::string> texts_;  // stable storage the map's keys point into
  std::unordered_map<std::string_view, uint32_t, Fnv1aHash> indices_;
};

class SymbolStore {
 public:
  // Index of the last predefined symbol.
  static constexpr uint32_t kLastPredefined = 82;

  SymbolStore();
  virtual ~SymbolStore() = default;

  // Clears the symbol table (not the file table) and interns the
  // predefined symbols as ids 0 to 82.
  void Reset();

  uint32_t InternSymbol(std::string_view text) { return symbols_.Intern(text); }
  int64_t FindSymbol(std::string_view text) const { return symbols_.Find(text); }
  const std::string& Symbol(uint32_t id) const { return symbols_.At(id); }
  uint32_t SymbolCount() const { return symbols_.Size(); }

  uint32_t InternFile(std::string_view path) { return files_.Intern(path); }
  const std::string& File(uint32_t id) const { return files_.At(id); }
  uint32_t FileCount() const { return files_.Size(); }

  uint32_t PredefinedCount() const { return predefinedCount_; }

 private:
  InternTable symbols_;
  InternTable files_;
  uint32_t predefinedCount_ = kLastPredefined;
};

}  // namespace script
