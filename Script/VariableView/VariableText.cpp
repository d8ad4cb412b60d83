#include "Script/VariableView/VariableText.h"

#include <optional>
#include <string_view>

#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Platform/FaultGuard.h"
#include "Script/Values/Value.h"
#include "Script/Values/ValueKind.h"

namespace script {

namespace {

const char kElided[] = "<...>";

// The letter that follows the backslash in the escape of a character; 0 for
// a character shown as it is.
char EscapeLetter(char c) {
  switch (c) {
    case '\a': return 'a';
    case '\b': return 'b';
    case '\t': return 't';
    case '\n': return 'n';
    case '\v': return 'v';
    case '\f': return 'f';
    case '\r': return 'r';
    case '"':
    case '\'':
    case '\\':
      return c;
    default:
      return 0;
  }
}

std::string QuotedString(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  for (char c : text) {
    if (char letter = EscapeLetter(c)) {
      quoted += '\\';
      quoted += letter;
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

// " 'c'" for the byte of an i8 or ui8: the string escapes, "\0", and "\xNN"
// for any other control or non-ASCII byte, so that the text stays one line.
std::string CharacterSuffix(uint8_t byte) {
  const char c = static_cast<char>(byte);
  std::string suffix = " '";
  if (byte == 0) {
    suffix += "\\0";
  } else if (char letter = EscapeLetter(c)) {
    suffix += '\\';
    suffix += letter;
  } else if (byte < 0x20 || byte >= 0x7f) {
    suffix += "\\x";
    suffix += "0123456789abcdef"[byte >> 4];
    suffix += "0123456789abcdef"[byte & 0xf];
  } else {
    suffix += c;
  }
  suffix += '\'';
  return suffix;
}

std::string DigitsOrElided(const Value& value, bool hex) {
  std::string text;
  const bool formatted = hex ? value.ToHexText(text) : value.ToBinaryText(text);
  return formatted ? text : kElided;
}

std::string ScalarText(const Value& value, ViewAs view) {
  const uint32_t kind = value.Kind();
  if (kind == KIND_FUNCTION_REF) return DigitsOrElided(value, true);
  if (IsFloatingKind(kind)) return value.ToText();
  std::string text;
  switch (view) {
    case VIEW_HEX: text = DigitsOrElided(value, true); break;
    case VIEW_BINARY: text = DigitsOrElided(value, false); break;
    default: text = value.ToText(); break;
  }
  if (kind == KIND_I8 || kind == KIND_UI8) text += CharacterSuffix(*value.StoragePointer());
  return text;
}

// The text of the data at block data + offset; nothing when the data does
// not lie in the block or the type has no value to show.
std::optional<std::string> DataText(Type* type, const MemoryBlock& block, uint32_t offset, ViewAs view) {
  const uint32_t kind = type->GetKind();
  if (kind == KIND_AGGREGATE || kind == KIND_ARRAY || kind == KIND_LIB) return kElided;
  if (kind == KIND_STRING) {
    // A foreign block's bytes are no string object of ours.
    if (block.IsForeign() || !SlotFits(&block, offset, sizeof(std::string))) return std::nullopt;
    return QuotedString(*reinterpret_cast<const std::string*>(block.Data() + offset));
  }
  const uint32_t width = ScalarWidth(kind);
  if (width == 0 || !SlotFits(&block, offset, width)) return std::nullopt;
  // Memory that native code handed over may be gone.
  uint8_t bytes[8] = {};
  if (platform::GuardedCopy(bytes, block.Data() + offset, width) != 0) return "INVALID";
  Value value;
  value.SetScalar(type, bytes);
  return ScalarText(value, view);
}

}  // namespace

std::string ValueText(const ViewedVariable& variable, ViewAs view) {
  const MemoryBlock* block = variable.block.get();
  if (variable.type == nullptr || block == nullptr) return "<null>";
  std::optional<std::string> text = DataText(variable.type, *block, variable.offset, view);
  if (!text) return "<null>";
  return block->IsLocked() ? "LOCKED: " + *text : std::move(*text);
}

}  // namespace script
