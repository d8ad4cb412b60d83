#pragma once
// The colouring of script text, one line at a time: keywords by group,
// numbers, strings and comments. A block comment or a string may go on over
// the line's end; the state a line ends in is where the next one starts.
#include <string_view>
#include <vector>

namespace kelvra::ide {

enum class SyntaxStyle {
  Default = 0,
  TypeName = 1,   // i8 … string
  Aggregate = 2,  // struct, lib, array
  Keyword = 3,    // include, function and the control words
  Error = 4,      // error
  BuiltIn = 5,    // sizeof, cast, lock, …
  Number = 6,
  String = 7,
  Comment = 8,
};
inline constexpr int kSyntaxStyleCount = 9;

enum class LineState { Code = 0, BlockComment = 1, String = 2 };

struct SyntaxSpan {
  int start;  // byte offset in the line
  int length;
  SyntaxStyle style;
};

// The style of a word: its keyword group, or Default.
SyntaxStyle StyleOfWord(std::string_view word);

// Appends the styled spans of one line (UTF-8, without its line break) to
// `spans`; bytes in no span are Default. Returns the state at the line's end.
LineState StyleLine(std::string_view line, LineState state, std::vector<SyntaxSpan>& spans);

}  // namespace kelvra::ide
