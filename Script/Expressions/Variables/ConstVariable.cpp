#include "Script/Expressions/Variables/ConstVariable.h"

#include <charconv>
#include <cstring>
#include <string_view>
#include <system_error>

#include "Script/Foundation/Serializer.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Stack/RuntimeError.h"

namespace script {
namespace {

// Parses the whole text as a T into `bytes`; false on anything left over or
// a number out of T's range.
template <typename T>
bool ParseWhole(std::string_view text, uint8_t* bytes) {
  T number{};
  const char* end = text.data() + text.size();
  const auto [stop, status] = std::from_chars(text.data(), end, number);
  if (status != std::errc() || stop != end) return false;
  std::memcpy(bytes, &number, sizeof number);
  return true;
}

// Decimal text as a number of the kind; a leading "+" is allowed, and an
// integer may end in a fraction of zeros.
bool ParseNumberLiteral(std::string_view text, uint32_t kind, uint8_t* bytes) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (IsIntegerKind(kind)) {
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
      if (text.find_first_not_of('0', point + 1) != std::string_view::npos) return false;
      text = text.substr(0, point);
    }
  }
  switch (kind) {
    case KIND_I8: return ParseWhole<int8_t>(text, bytes);
    case KIND_UI8: return ParseWhole<uint8_t>(text, bytes);
    case KIND_I16: return ParseWhole<int16_t>(text, bytes);
    case KIND_UI16: return ParseWhole<uint16_t>(text, bytes);
    case KIND_I32: return ParseWhole<int32_t>(text, bytes);
    case KIND_UI32: return ParseWhole<uint32_t>(text, bytes);
    case KIND_I64: return ParseWhole<int64_t>(text, bytes);
    case KIND_UI64: return ParseWhole<uint64_t>(text, bytes);
    case KIND_FLOAT: return ParseWhole<float>(text, bytes);
    case KIND_DOUBLE: return ParseWhole<double>(text, bytes);
    default: return false;
  }
}

}  // namespace

bool ConstVariable::SetLiteral(Type* type, const std::string& text, Memory& heap) {
  if (type == nullptr) return false;
  const uint32_t kind = type->GetKind();
  if (kind == KIND_STRING) {
    literal_.SetString(heap, text.data(), text.size());
    if (literal_.StringObject() == nullptr) return false;
  } else if (kind == KIND_BOOL) {
    const uint8_t truth = text.empty() || text == "0" || text == "false" ? 0 : 1;
    literal_.SetScalar(type, &truth);
  } else {
    alignas(8) uint8_t bytes[8] = {};
    if (!IsNumericKind(kind) || !ParseNumberLiteral(text, kind, bytes)) return false;
    literal_.SetScalar(type, bytes);
  }
  SetType(type);
  return true;
}

uint32_t ConstVariable::Run(ExecContext* context) {
  Value* result = context->result;
  if (result == nullptr) return RUN_OK;
  if (literal_.IsInline() && !result->HasStorage() && result->Kind() == KIND_NONE) {
    *result = literal_;
    return RUN_OK;
  }
  const ConversionStatus status = result->Assign(literal_);
  if (status == CONVERSION_OK) return RUN_OK;
  return ReportRuntimeError(context, this, ConversionErrorMessage(status, literal_.ToText(), result->Kind()));
}

void ConstVariable::SerializeBody(Serializer* serializer) {
  // A number read from several tokens (sign, digits, ".", fraction,
  // exponent) writes them all; a string or bool is its own symbol.
  if (Symbols().empty()) {
    serializer->WriteSymbol(Position());
  } else {
    WriteSymbols(serializer, Position());
  }
}

}  // namespace script
