#pragma once
// Conversions between the engine's 8-bit text (UTF-8) and UTF-16 units, as
// warr2str and str2warr make them. Malformed input never fails: an invalid
// UTF-8 sequence and a lone surrogate each become U+FFFD.
#include <cstddef>
#include <string>
#include <string_view>

namespace script {

// UTF-16 units of UTF-8 text; each maximal ill-formed subsequence (an
// unexpected byte, a cut-off sequence, an overlong form, an encoded
// surrogate, a code point above U+10FFFF) gives one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-8 text of `count` UTF-16 units; surrogate pairs join into one code
// point and an unpaired surrogate gives U+FFFD.
std::string Utf16ToUtf8(const char16_t* units, std::size_t count);

}  // namespace script
