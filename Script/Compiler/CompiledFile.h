#pragma once
// The compiled script file: its header, the variable-length symbol ids of
// its token stream, the spellings of structural token codes and the token
// code a stored text stands for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace script::compiled {

inline constexpr std::string_view kMagic = "KVRA";
// The build stamp every writer puts in the header; readers keep the file's
// stamp but never compare it.
inline constexpr std::string_view kBuildStamp = "Wed Dec 13 11:25:23 2023";
inline constexpr uint16_t kFirstHeaderValue = 1;
inline constexpr uint16_t kSecondHeaderValue = 0;
// Magic, the two 16-bit header values and the stamp.
inline constexpr std::size_t kHeaderSize = 4 + 2 + 2 + 24;
// The first symbol id the file's symbol table stores.
inline constexpr uint32_t kFirstStoredSymbol = 83;
// The largest id a four-byte form holds.
inline constexpr uint32_t kMaxSymbolId = 0x3FFFFFFF;
inline constexpr std::size_t kMaxIdBytes = 4;

// Writes an id in its shortest form into `out` (room for kMaxIdBytes);
// returns the number of bytes, 0 for an id above kMaxSymbolId.
std::size_t EncodeId(uint32_t id, unsigned char* out);

// Reads one id at `data`; returns the number of bytes it takes, 0 when its
// form runs past `end`.
std::size_t DecodeId(const unsigned char* data, const unsigned char* end, uint32_t& id);

// The text a structural token code opens or closes with ("{" for 52, "}"
// for 52 and 93, ";" for 56 and 92, a blank for an opening 96...); empty
// for a code without one.
std::string_view OpeningText(int32_t code);
std::string_view ClosingText(int32_t code);

// Whether a stored text is a token the source reader could have read: a
// keyword, an operator, a word of letters, digits and "_", or a string
// constant in matching quotation marks.
bool IsTokenText(std::string_view text);

// The token code of a stored text: keyword, operator, name, the number
// forms, string constant, or 0.
int32_t TokenCodeOf(std::string_view text);

}  // namespace script::compiled
