#include "debugger/Editor/KelvraSyntax.h"

#include <array>
#include <utility>

namespace kelvra::ide {

namespace {

bool IsWordByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') || byte == '_' ||
         byte >= 0x80;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// From `from`, the end of a string's text: the byte after its closing
// quote, or the line's length when it goes on. A backslash escapes the next byte.
size_t StringEnd(std::string_view line, size_t from, bool& closed) {
  for (size_t i = from; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      closed = true;
      return i + 1;
    }
  }
  closed = false;
  return line.size();
}

// From `from`, the byte after a block comment's "*/", or the line's length.
size_t CommentEnd(std::string_view line, size_t from, bool& closed) {
  const size_t end = line.find("*/", from);
  closed = end != std::string_view::npos;
  return closed ? end + 2 : line.size();
}

void Add(std::vector<SyntaxSpan>& spans, size_t start, size_t end, SyntaxStyle style) {
  if (end > start && style != SyntaxStyle::Default) spans.push_back({static_cast<int>(start), static_cast<int>(end - start), style});
}

}  // namespace

SyntaxStyle StyleOfWord(std::string_view word) {
  static const std::array<std::pair<std::string_view, SyntaxStyle>, 36> kWords = {{
      {"i8", SyntaxStyle::TypeName},       {"ui8", SyntaxStyle::TypeName},       {"i16", SyntaxStyle::TypeName},
      {"ui16", SyntaxStyle::TypeName},     {"i32", SyntaxStyle::TypeName},       {"ui32", SyntaxStyle::TypeName},
      {"i64", SyntaxStyle::TypeName},      {"ui64", SyntaxStyle::TypeName},      {"double", SyntaxStyle::TypeName},
      {"float", SyntaxStyle::TypeName},    {"bool", SyntaxStyle::TypeName},      {"string", SyntaxStyle::TypeName},
      {"struct", SyntaxStyle::Aggregate},  {"lib", SyntaxStyle::Aggregate},      {"array", SyntaxStyle::Aggregate},
      {"include", SyntaxStyle::Keyword},   {"function", SyntaxStyle::Keyword},   {"for", SyntaxStyle::Keyword},
      {"while", SyntaxStyle::Keyword},     {"switch", SyntaxStyle::Keyword},     {"case", SyntaxStyle::Keyword},
      {"default", SyntaxStyle::Keyword},   {"break", SyntaxStyle::Keyword},      {"if", SyntaxStyle::Keyword},
      {"else", SyntaxStyle::Keyword},      {"continue", SyntaxStyle::Keyword},   {"return", SyntaxStyle::Keyword},
      {"error", SyntaxStyle::Error},       {"sizeof", SyntaxStyle::BuiltIn},     {"arr2str", SyntaxStyle::BuiltIn},
      {"warr2str", SyntaxStyle::BuiltIn},  {"str2arr", SyntaxStyle::BuiltIn},    {"str2warr", SyntaxStyle::BuiltIn},
      {"cast", SyntaxStyle::BuiltIn},      {"lock", SyntaxStyle::BuiltIn},       {"unlock", SyntaxStyle::BuiltIn},
  }};
  for (const auto& [text, style] : kWords) {
    if (text == word) return style;
  }
  return SyntaxStyle::Default;
}

LineState StyleLine(std::string_view line, LineState state, std::vector<SyntaxSpan>& spans) {
  size_t i = 0;
  bool closed = true;
  if (state == LineState::BlockComment) {
    i = CommentEnd(line, 0, closed);
    Add(spans, 0, i, SyntaxStyle::Comment);
    if (!closed) return LineState::BlockComment;
  } else if (state == LineState::String) {
    i = StringEnd(line, 0, closed);
    Add(spans, 0, i, SyntaxStyle::String);
    if (!closed) return LineState::String;
  }
  while (i < line.size()) {
    const char c = line[i];
    const size_t start = i;
    if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
      Add(spans, start, line.size(), SyntaxStyle::Comment);
      return LineState::Code;
    }
    if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
      i = CommentEnd(line, i + 2, closed);
      Add(spans, start, i, SyntaxStyle::Comment);
      if (!closed) return LineState::BlockComment;
    } else if (c == '"') {
      i = StringEnd(line, i + 1, closed);
      Add(spans, start, i, SyntaxStyle::String);
      if (!closed) return LineState::String;
    } else if (IsDigit(c) || (c == '.' && i + 1 < line.size() && IsDigit(line[i + 1]))) {
      // 12, 1.5, 0x1F, 1Fh: a number runs over word bytes and points.
      while (i < line.size() && (IsWordByte(line[i]) || line[i] == '.')) ++i;
      Add(spans, start, i, SyntaxStyle::Number);
    } else if (IsWordByte(c)) {
      while (i < line.size() && IsWordByte(line[i])) ++i;
      Add(spans, start, i, StyleOfWord(line.substr(start, i - start)));
    } else {
      ++i;
    }
  }
  return LineState::Code;
}

}  // namespace kelvra::ide
