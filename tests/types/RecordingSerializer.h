#pragma once
// A serializer that records what nodes write: "s<id>" for a symbol,
// "<code" for an opening token, ">code" for a closing token, "w" and the
// bytes for raw bytes.
#include <string>

#include "Script/Foundation/Serializer.h"

namespace script::test {

class RecordingSerializer final : public Serializer {
 public:
  bool Write(const char* bytes, std::size_t length) override { return Add("w" + std::string(bytes, length)); }
  bool WriteSymbol(const SourcePosition& position) override { return Add("s" + std::to_string(position.symbol)); }
  bool WriteToken(int32_t code) override { return Add("<" + std::to_string(code)); }
  bool WriteEndToken(int32_t code) override { return Add(">" + std::to_string(code)); }
  const std::string& Text() const { return text_; }

 private:
  bool Add(const std::string& piece) {
    if (!text_.empty()) text_ += ' ';
    text_ += piece;
    return true;
  }
  std::string text_;
};

}  // namespace script::test
