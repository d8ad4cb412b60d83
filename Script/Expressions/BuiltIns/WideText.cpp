#include "Script/Expressions/BuiltIns/WideText.h"

#include <cstdint>

namespace script {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// A lead byte's sequence length and the range its second byte must lie in,
// which rules out overlong forms, encoded surrogates and code points above
// U+10FFFF.
struct Lead {
  int length;  // bytes in the sequence; 0 for a byte that starts none
  unsigned char low;
  unsigned char high;
};

Lead LeadOf(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// Decodes the code point at `at`, advancing past it (or past the maximal
// ill-formed subsequence, which yields U+FFFD).
char32_t DecodeUtf8(std::string_view text, std::size_t& at) {
  const auto first = static_cast<unsigned char>(text[at++]);
  if (first < 0x80) return first;
  const Lead lead = LeadOf(first);
  if (lead.length == 0) return kReplacement;
  char32_t point = first & (0x7Fu >> lead.length);
  for (int k = 1; k < lead.length; ++k) {
    if (at == text.size()) return kReplacement;
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool fits = k == 1 ? byte >= lead.low && byte <= lead.high : IsContinuation(byte);
    if (!fits) return kReplacement;
    point = (point << 6) | (byte & 0x3Fu);
    ++at;
  }
  return point;
}

void AppendUtf8(std::string& text, char32_t point) {
  if (point < 0x80) {
    text += static_cast<char>(point);
  } else if (point < 0x800) {
    text += static_cast<char>(0xC0 | (point >> 6));
    text += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    text += static_cast<char>(0xE0 | (point >> 12));
    text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (point >> 18));
    text += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (point & 0x3F));
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string units;
  units.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t point = DecodeUtf8(text, at);
    if (point < 0x10000) {
      units += static_cast<char16_t>(point);
    } else {
      units += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    }
  }
  return units;
}

std::string Utf16ToUtf8(const char16_t* units, std::size_t count) {
  std::string text;
  text.reserve(count);
  for (std::size_t at = 0; at < count; ++at) {
    const char16_t unit = units[at];
    char32_t point = unit;
    if (IsHighSurrogate(unit) && at + 1 < count && IsLowSurrogate(units[at + 1])) {
      point = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{units[++at]} - 0xDC00);
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      point = kReplacement;
    }
    AppendUtf8(text, point);
  }
  return text;
}

}  // namespace script
