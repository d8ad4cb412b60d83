// Array types: "array" "<" TYPE [ "," dimensions ] ">", read wherever a type
// may stand, and array variable declarations in statement position.
//
// Fixed dimensions are numbers; the first dimension may instead be an
// expression (a dynamic array) that the declaration evaluates when it runs.
#include <charconv>
#include <limits>

#include "Script/Compiler/Interpreter.h"
#include "Script/Compiler/NumberLiteral.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/AggregateType.h"
#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Variables/ConstVariable.h"
#include "Script/Values/ValueKind.h"

namespace script {

namespace {

bool IsScalarKeyword(int32_t code) { return code >= TYPE_BOOL && code <= TYPE_STRING; }
bool IsBuiltInName(int32_t code) { return code >= TYPE_SIZEOF && code <= TYPE_CAST; }
bool IsNumberToken(int32_t code) {
  return code == TYPE_CONST_NUM || code == TOKEN_HEX_PREFIX || code == TOKEN_HEX_SUFFIX || code == TOKEN_BINARY;
}

// Tokens that start a number literal or a string constant: a dimension
// that starts with one of them may be a single constant.
bool StartsLiteral(int32_t code) {
  return IsNumberToken(code) || code == TOKEN_EXPONENT || code == TYPE_DOT || code == TYPE_ADD ||
         code == TYPE_SUB || code == TYPE_CONST;
}

// Tokens that start an operand which is not a literal: a variable, a
// prefix operator, a parenthesis.
bool StartsComputedOperand(int32_t code) {
  return code == TYPE_TOKEN || code == TYPE_INC_OP || code == TYPE_DEC_OP || code == TYPE_BIT_NOT ||
         code == TYPE_PARENTHESIS || IsBuiltInName(code);
}

// Comparison and logical operators and "!": a dimension is a count, never a truth value.
bool IsBooleanOperator(int32_t code) {
  switch (code) {
    case TYPE_EQ:
    case TYPE_NOT_EQ:
    case TYPE_LESS:
    case TYPE_LESS_EQ:
    case TYPE_GREATER_EQ:
    case TYPE_AND:
    case TYPE_OR:
    case TYPE_NOT:
    case TYPE_CONST_BOOL:
      return true;
    default:
      return false;
  }
}

bool IsTypeListEnd(int32_t code) { return code == TYPE_GREATER || code == TYPE_SHIFT_RIGHT; }

// Whether an array's storage still has a 32-bit size.
bool FitsStorage(const ArrayType& array) { return array.GetSize() != std::numeric_limits<uint32_t>::max(); }

}  // namespace

// array-type -> "array" "<" element-type [ "," dimension ( "," NUMBER )* ] ">"
// element-type -> TYPE | STRUCT-NAME | "function" "<" NAME ">" | array-type
// dimension -> NUMBER | expression   (an expression only as the only dimension)
bool Interpreter::ReadArrayType(ArrayType* array, Handler continuation) {
  PushHandler(continuation);
  PushHandler(&Interpreter::ArrayBeginEvent);
  current_ = array;
  return true;
}

ArrayType* Interpreter::ArrayBeingRead() const {
  for (Node* node = current_; node != nullptr; node = node->Parent()) {
    if (node->TypeId() == TYPE_ARRAY) return static_cast<ArrayType*>(node);
  }
  return nullptr;
}

// array-declaration -> array-type declarator ( "," declarator )* ";"
bool Interpreter::ArrayDecEvent(int32_t, const std::string& text) {
  auto* array = new ArrayType(TokenPosition(text), current_);
  Attach(array);
  return ReadArrayType(array, &Interpreter::TypeDecEvent);
}

bool Interpreter::ArrayBeginEvent(int32_t code, const std::string&) {
  PopHandler();
  if (code != TYPE_LESS) return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::ArrayBeginEvent");
  PushHandler(&Interpreter::ArrayPostTypeEvent);
  PushHandler(&Interpreter::ArrayTypeEvent);
  return true;
}

bool Interpreter::ArrayTypeEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ArrayTypeEvent";
  ArrayType* array = ArrayBeingRead();
  if (array == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (array->ElementType() != nullptr) return Fail(ErrorCode::ARRAY_TYPE_ALREADY_DECLARED, kWhere);
  PopHandler();
  if (code == TYPE_FUNCTION) return StartFunctionRefType(FunctionRefRole::ArrayElement, true);
  Type* element = nullptr;
  if (IsScalarKeyword(code)) {
    element = new Type(code, TokenPosition(text), array);
  } else if (code == TYPE_TOKEN) {
    element = UseStructType(symbols_.InternSymbol(text), text);
    if (element == nullptr) return Fail(ErrorCode::UNDEFINED_TYPE, kWhere);
  } else {
    return Fail(ErrorCode::EXPECTING_TYPE_NAME, kWhere);
  }
  array->SetElementType(element);
  return true;
}

bool Interpreter::ArrayPostTypeEvent(int32_t code, const std::string& text) {
  if (code == TYPE_COMMA) {
    PopHandler();
    PushHandler(&Interpreter::ArrayDimensionEvent);
    return true;
  }
  if (IsTypeListEnd(code)) {
    PopHandler();
    return ArrayEndTypeEvent(code, text);
  }
  // A second element type.
  if (IsScalarKeyword(code) || code == TYPE_TOKEN || code == TYPE_FUNCTION || code == TYPE_ARRAY) {
    return ArrayTypeEvent(code, text);
  }
  return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::ArrayPostTypeEvent");
}

bool Interpreter::ArrayEndTypeEvent(int32_t code, const std::string& text) {
  if (code != TYPE_SHIFT_RIGHT) return ArrayCloseEvent(code, text);
  // ">>": this list closes with the first ">", an enclosing one with the second.
  return ArrayCloseEvent(TYPE_GREATER, ">") && OnEvent(TYPE_GREATER, ">");
}

bool Interpreter::ArrayCloseEvent(int32_t code, const std::string&) {
  constexpr const char* kWhere = "script::Interpreter::ArrayCloseEvent";
  if (code != TYPE_GREATER) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  ArrayType* array = ArrayBeingRead();
  if (array == nullptr || array->ElementType() == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  // The continuation is on top again.
  current_ = array;
  return true;
}

bool Interpreter::ArrayDimensionEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ArrayDimensionEvent";
  ArrayType* array = ArrayBeingRead();
  if (array == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (!array->Dimensions().empty()) {
    // A further dimension: a number.
    if (StartsComputedOperand(code)) return Fail(ErrorCode::DYNAMIC_ARRAY_MUST_HAVE_ONE_DIMESION, kWhere);
    if (!IsNumberToken(code)) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
    const std::string decimal = FixedNumberAsDecimal(text);
    uint64_t count = 0;
    const auto [end, failure] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), count);
    if (failure != std::errc() || end != decimal.data() + decimal.size() ||
        count > std::numeric_limits<uint32_t>::max()) {
      return Fail(ErrorCode::EXPECTING_NUMERIC_ARRAY_SIZE, kWhere);
    }
    if (count == 0) return Fail(ErrorCode::EXPECTING_NONZERO_ARRAY_DIMENSION, kWhere);
    const uint32_t token = symbols_.InternSymbol(text);
    array->AddDimension(static_cast<uint32_t>(count), std::span(&token, 1));
    if (!FitsStorage(*array)) return Fail(ErrorCode::EXPECTING_NUMERIC_ARRAY_SIZE, kWhere);
    PopHandler();
    PushHandler(&Interpreter::ArrayDimensionEndEvent);
    return true;
  }
  // The first dimension: an expression, read up to its "," or ">".
  if (IsBooleanOperator(code)) return Fail(ErrorCode::DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION, kWhere);
  if (!StartsLiteral(code) && !StartsComputedOperand(code)) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  if (StartsComputedOperand(code) && array->Parent()->TypeId() != TYPE_SCOPE) {
    return Fail(ErrorCode::DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE, kWhere);
  }
  PopHandler();
  PushHandler(&Interpreter::ArrayDimensionEndEvent);
  PushHandler(&Interpreter::ArrayDimExpEvent);
  const bool started = code == TYPE_PARENTHESIS && text == "(" ? OpenParenthesis(code, text)
                                                                : StartOperand(code, text, &Interpreter::AppendValueNode2Dimension);
  if (started) FilterDimensionOperand();
  return started;
}

bool Interpreter::AppendValueNode2Dimension(Node* node) {
  ArrayType* array = current_->TypeId() == TYPE_ARRAY ? static_cast<ArrayType*>(current_) : nullptr;
  if (array == nullptr || array->DimensionExpression() != nullptr) {
    delete node;
    return Fail(ErrorCode::SYNTAX_ERROR, "script::Interpreter::AppendValueNode2Dimension");
  }
  array->SetDimensionExpression(node);
  current_ = node;
  return true;
}

bool Interpreter::ArrayDimExpEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ArrayDimExpEvent";
  if (code == TYPE_COMMA || IsTypeListEnd(code)) {
    PopHandler();
    return EndFirstDimension() && OnEvent(code, text);
  }
  if (IsBooleanOperator(code)) return Fail(ErrorCode::DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION, kWhere);
  if (code == TYPE_SEMICOLON) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  if (!ExpEvent(code, text)) return false;
  FilterDimensionOperand();
  return true;
}

bool Interpreter::ArrayDimOperandEvent(int32_t code, const std::string& text) {
  if (IsBooleanOperator(code)) {
    return Fail(ErrorCode::DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION,
                "script::Interpreter::ArrayDimOperandEvent");
  }
  if (!Append2Op(code, text)) return false;
  FilterDimensionOperand();
  return true;
}

void Interpreter::FilterDimensionOperand() {
  if (TopHandler() != &Interpreter::Append2Op) return;
  PopHandler();
  PushHandler(&Interpreter::ArrayDimOperandEvent);
}

bool Interpreter::EndFirstDimension() {
  constexpr const char* kWhere = "script::Interpreter::ArrayDimensionEndEvent";
  ArrayType* array = ArrayBeingRead();
  Node* expression = array != nullptr ? array->DimensionExpression() : nullptr;
  if (expression == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  current_ = array;
  if (expression->TypeId() == TYPE_CONST) {
    const bool added = AddFixedDimension(array, *static_cast<ConstVariable*>(expression));
    array->SetDimensionExpression(nullptr);
    return added;
  }
  if (array->Parent()->TypeId() != TYPE_SCOPE) return Fail(ErrorCode::DYNAMIC_ARRAY_MUST_BE_DECLARED_IN_SCOPE, kWhere);
  Type* type = nullptr;
  if (!CheckFullExpression(expression, &type)) return false;
  const uint32_t kind = type != nullptr ? type->GetKind() : KIND_NONE;
  if (kind == KIND_BOOL) return Fail(ErrorCode::DYNAMIC_ARRAY_DIMENSION_CANNOT_HAVE_BOOLEAN_EXPRESSION, kWhere);
  if (!IsNumericKind(kind)) return Fail(ErrorCode::EXPECTING_NUMERIC_ARRAY_SIZE, kWhere);
  return true;
}

bool Interpreter::AddFixedDimension(ArrayType* array, const ConstVariable& constant) {
  constexpr const char* kWhere = "script::Interpreter::ArrayDimensionEndEvent";
  const Value& literal = constant.Literal();
  if (!IsIntegerKind(literal.Kind())) {
    return Fail(ErrorCode::EXPECTING_NUMERIC_ARRAY_SIZE, kWhere);
  }
  // Integer literals are at most 64 bits wide; a negative size is no size.
  int64_t count = 0;
  if (literal.ReadScalar(KIND_I64, &count) != CONVERSION_OK || count < 0 ||
      count > std::numeric_limits<uint32_t>::max()) {
    return Fail(ErrorCode::EXPECTING_NUMERIC_ARRAY_SIZE, kWhere);
  }
  if (count == 0) return Fail(ErrorCode::EXPECTING_NONZERO_ARRAY_SIZE, kWhere);
  array->AddDimension(static_cast<uint32_t>(count), constant.Symbols());
  return FitsStorage(*array) || Fail(ErrorCode::EXPECTING_NUMERIC_ARRAY_SIZE, kWhere);
}

bool Interpreter::ArrayDimensionEndEvent(int32_t code, const std::string& text) {
  constexpr const char* kWhere = "script::Interpreter::ArrayDimensionEndEvent";
  ArrayType* array = ArrayBeingRead();
  if (array == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (code == TYPE_COMMA) {
    if (array->DimensionExpression() != nullptr) return Fail(ErrorCode::DYNAMIC_ARRAY_MUST_HAVE_ONE_DIMESION, kWhere);
    PopHandler();
    PushHandler(&Interpreter::ArrayDimensionEvent);
    return true;
  }
  if (!IsTypeListEnd(code)) return Fail(ErrorCode::SYNTAX_ERROR, kWhere);
  PopHandler();
  return ArrayEndTypeEvent(code, text);
}

bool Interpreter::ErrorIfDynamicArray(const Type* type) {
  if (type->TypeId() != TYPE_ARRAY || type->ReferenceMode() != 0) return true;
  const auto* array = static_cast<const ArrayType*>(type);
  if (!array->Dimensions().empty() || array->DimensionExpression() != nullptr) return true;
  return Fail(ErrorCode::EXPECTING_NONZERO_ARRAY_DIMENSION, "script::Interpreter::ErrorIfDynamicArray");
}

}  // namespace script
