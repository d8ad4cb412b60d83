#pragma once
// A literal in an expression: a number, a string or true/false. It keeps the
// symbol ids of the literal's tokens (to write it back) and its value.
#include <cstdint>
#include <string>

#include "Script/Expressions/Types/AggregateSymbol.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Values/Value.h"

namespace script {

class ConstVariable : public AggregateSymbol, public Variable {
 public:
  // An empty literal: no type and no value until SetLiteral.
  ConstVariable(const SourcePosition& position, Node* parent) : Variable(TYPE_CONST, position, parent, nullptr) {}

  // Gives the literal its type and value from text: decimal text for a
  // number (an optional sign, digits, and for float and double a fraction
  // and exponent; an integer may carry a zero fraction such as "2.0"), the
  // characters without quotes for a string, and for a bool true unless the
  // text is empty, "0" or "false". False when the text is no value of the
  // type (out of range, not a number, a type no literal has).
  bool SetLiteral(Type* type, const std::string& text, Memory& heap);
  const Value& Literal() const { return literal_; }

  // The result value is assigned the literal; a fresh result takes its own
  // copy (inline for a scalar, so no storage is allocated).
  uint32_t Run(ExecContext* context) override;
  // The symbols of the literal's tokens, or its own symbol when it has none.
  void SerializeBody(Serializer* serializer) override;

 private:
  Value literal_;
};

}  // namespace script
