#pragma once
// Writes a compiled program back as source text: tokens spelt out, string
// constants escaped again, one statement per line and four blanks of
// indentation per block.
#include <string>

#include "Script/Compiler/FileSerializer.h"

namespace script {

class TextSerializer : public FileSerializer {
 public:
  using FileSerializer::FileSerializer;

  // Writes a text; a string constant (a text of two or more characters
  // that begins with a quotation mark) with its escapes.
  bool Write(const char* bytes, std::size_t length) override;
  // Writes the symbol's text; nothing for an id that is not in the store.
  bool WriteSymbol(const SourcePosition& position) override;
  // Writes the opening text; "{" indents the lines that follow.
  bool WriteToken(int32_t code) override;
  // Writes the closing text: "}" of a block returns to the outer
  // indentation on a line of its own, ";" and ":" end their line. The
  // end of a switch label's statements (94) writes nothing and returns to
  // the indentation of the label.
  bool WriteEndToken(int32_t code) override;

 protected:
  // A text file ends with a line feed.
  void WriteEndStep() override;

 private:
  static constexpr std::string_view kIndentStep = "    ";

  // Starts the pending new line, if there is one.
  void BreakLineIfPending();
  void Indent() { indentation_.append(kIndentStep); }
  void Unindent();

  bool pendingLineBreak_ = false;
  std::string indentation_;
};

}  // namespace script
