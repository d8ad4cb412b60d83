// The UTF-8 and UTF-16 conversions of warr2str and str2warr: exact units for
// well-formed and malformed text, and a round trip of every code point.
#include <gtest/gtest.h>

#include <string>

#include "Script/Expressions/BuiltIns/WideText.h"

namespace script {
namespace {

struct Utf8Case {
  const char* name;
  std::string text;
  std::u16string units;
};

TEST(WideTextTest, Utf8BecomesUtf16AndEachIllFormedSubsequenceOneReplacement) {
  const Utf8Case cases[] = {
      {"empty", "", u""},
      {"ASCII", "Az", u"Az"},
      {"two bytes", "\xC3\xBC", u"\u00FC"},
      {"three bytes", "\xE4\xB8\x96", u"\u4E16"},
      {"four bytes become a surrogate pair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
      {"lead byte cut off at the end", "\xC3", u"\xFFFD"},
      {"lead byte followed by no continuation", "\xC3(", u"\xFFFD("},
      {"three-byte sequence cut off", "\xE4\xB8", u"\xFFFD"},
      {"cut-off sequence before ASCII", "\xE4\xB8" "A", u"\xFFFD" "A"},
      {"overlong two bytes", "\xC0\xAF", u"\xFFFD\xFFFD"},
      {"overlong three bytes", "\xE0\x80\xAF", u"\xFFFD\xFFFD\xFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
      {"bytes that start nothing", "\xFF\x80", u"\xFFFD\xFFFD"},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(c.units, Utf8ToUtf16(c.text)) << c.name;
}

TEST(WideTextTest, Utf16BecomesUtf8AndUnpairedSurrogatesReplacements) {
  const Utf8Case cases[] = {
      {"pair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
      {"last unit before a surrogate block", "\xED\x9F\xBF", u"\xD7FF"},
      {"lone high surrogate", "\xEF\xBF\xBD", u"\xD800"},
      {"lone low surrogate before ASCII", "\xEF\xBF\xBD" "A", u"\xDC00" "A"},
      {"high surrogate followed by a pair", "\xEF\xBF\xBD\xF0\x90\x80\x80", u"\xD800\xD800\xDC00"},
      {"widest two-byte form", "\xDF\xBF", u"\x07FF"},
      {"widest three-byte form", "\xEF\xBF\xBF", u"\xFFFF"},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(c.text, Utf16ToUtf8(c.units.data(), c.units.size())) << c.name;
}

TEST(WideTextTest, EveryCodePointSurvivesTheRoundTrip) {
  for (char32_t point = 1; point <= 0x10FFFF; ++point) {
    if (point >= 0xD800 && point <= 0xDFFF) continue;
    std::u16string units;
    if (point < 0x10000) {
      units += static_cast<char16_t>(point);
    } else {
      units += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    }
    const std::string text = Utf16ToUtf8(units.data(), units.size());
    ASSERT_EQ(units, Utf8ToUtf16(text)) << std::hex << static_cast<uint32_t>(point);
  }
}

}  // namespace
}  // namespace script
