#include "Script/Compiler/Reader.h"

#include <new>

#include "Script/Compiler/InterpreterIf.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/NodeType.h"
#include "Script/Platform/FileRead.h"

namespace script {

const TokenTable& KeywordTable() {
  static const TokenTable table = {
      {"for", TYPE_FOR},         {"while", TYPE_WHILE},       {"if", TYPE_IF},
      {"else", TYPE_ELSE},       {"switch", TYPE_SWITCH},     {"case", TYPE_CASE},
      {"default", TYPE_DEFAULT}, {"break", TYPE_BREAK},       {"continue", TYPE_CONTINUE},
      {"function", TYPE_FUNCTION}, {"return", TYPE_RETURN},   {"bool", TYPE_BOOL},
      {"i8", TYPE_I8},           {"ui8", TYPE_UI8},           {"i16", TYPE_I16},
      {"ui16", TYPE_UI16},       {"i32", TYPE_I32},           {"ui32", TYPE_UI32},
      {"i64", TYPE_I64},         {"ui64", TYPE_UI64},         {"float", TYPE_FLOAT},
      {"double", TYPE_DOUBLE},   {"string", TYPE_STRING},     {"true", TYPE_CONST_BOOL},
      {"false", TYPE_CONST_BOOL}, {"include", TYPE_INCLUDE},  {"lib", TYPE_LIB},
      {"struct", TYPE_STRUCT},   {"array", TYPE_ARRAY},       {"error", TYPE_ERROR},
      {"sizeof", TYPE_SIZEOF},   {"arr2str", TYPE_ARR2STR},   {"warr2str", TYPE_WARR2STR},
      {"str2arr", TYPE_STR2ARR}, {"str2warr", TYPE_STR2WARR}, {"lock", TYPE_LOCK},
      {"unlock", TYPE_UNLOCK},   {"cast", TYPE_CAST},
  };
  return table;
}

const TokenTable& OperatorTable() {
  static const TokenTable table = {
      {"=", TYPE_ASSIGN},         {"==", TYPE_EQ},
      {"+", TYPE_ADD},            {"+=", TYPE_ADD_ASSIGN},
      {"++", TYPE_INC_OP},        {"-", TYPE_SUB},
      {"-=", TYPE_SUB_ASSIGN},    {"--", TYPE_DEC_OP},
      {"&", TYPE_BIT_AND},        {"&=", TYPE_BIT_AND_ASSIGN},
      {"&&", TYPE_AND},           {"|", TYPE_BIT_OR},
      {"|=", TYPE_BIT_OR_ASSIGN}, {"||", TYPE_OR},
      {"<", TYPE_LESS},           {"<=", TYPE_LESS_EQ},
      {"<<", TYPE_SHIFT_LEFT},    {"<<=", TYPE_SHIFT_LEFT_ASSIGN},
      {">", TYPE_GREATER},        {">=", TYPE_GREATER_EQ},
      {">>", TYPE_SHIFT_RIGHT},   {">>=", TYPE_SHIFT_RIGHT_ASSIGN},
      {"*", TYPE_MUL},            {"*=", TYPE_MUL_ASSIGN},
      {"/", TYPE_DIV},            {"/=", TYPE_DIV_ASSIGN},
      {"%", TYPE_MOD},            {"%=", TYPE_MOD_ASSIGN},
      {"~", TYPE_BIT_NOT},        {"!", TYPE_NOT},
      {"!=", TYPE_NOT_EQ},        {"^", TYPE_XOR},
      {"^=", TYPE_XOR_ASSIGN},    {"@=", TYPE_REF_ASSIGN},
      {"[", TYPE_SUBSCRIPT},      {"]", TYPE_SUBSCRIPT},
      {"(", TYPE_PARENTHESIS},    {")", TYPE_PARENTHESIS},
      {"{", TYPE_SCOPE},          {"}", TYPE_SCOPE},
      {".", TYPE_DOT},            {",", TYPE_COMMA},
      {";", TYPE_SEMICOLON},      {":", TYPE_COLON},
      {"@", TYPE_REF},
  };
  return table;
}

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t WordCode(std::string_view word, ErrorCode& overflow) {
  if (word.empty()) return TYPE_NONE;
  if (IsLetter(word.front())) return TYPE_TOKEN;
  // Limits: prefix and 16 hexadecimal digits, 64 binary or 16 hexadecimal digits and the suffix.
  if (word.size() >= 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    if (word.size() >= 3 && word.size() <= 18) return TOKEN_HEX_PREFIX;
    overflow = ErrorCode::INVALID_HEX_NUMBER;
    return TYPE_NONE;
  }
  switch (word.back()) {
    case 'b':
    case 'B':
      if (word.size() <= 65) return TOKEN_BINARY;
      overflow = ErrorCode::INVALID_BINARY_NUMBER;
      return TYPE_NONE;
    case 'e':
    case 'E':
      return TOKEN_EXPONENT;
    case 'h':
    case 'H':
      if (word.size() <= 17) return TOKEN_HEX_SUFFIX;
      overflow = ErrorCode::INVALID_HEX_NUMBER;
      return TYPE_NONE;
    default:
      break;
  }
  for (char c : word) {
    if (!IsDigit(c)) return TYPE_NONE;
  }
  return TYPE_CONST_NUM;
}

Reader::Reader(bool include, InterpreterIf* interpreter, Error* error)
    : error_(error),
      interpreter_(interpreter),
      keywords_(KeywordTable()),
      operators_(OperatorTable()),
      include_(include) {
  interpreter_->SetCurrentReader(this);
}

bool Reader::Read(const std::string& path, int& systemError) {
  std::string text;
  systemError = platform::ReadRegularFile(path, text);
  if (systemError != 0) return false;
  path_ = path;
  try {
    // c_str() supplies the terminating zero byte the scan stops at.
    return OnInit(text.c_str(), text.size()) && OnRead(text.c_str(), text.size());
  } catch (const std::bad_alloc&) {
    // The compiler's allocations fail by exception; the program built so far
    // stays consistent enough to be deleted.
    return error_->Raise(ErrorCode::OUT_OF_MEMORY, module::kCompiler, "script::Reader::Read");
  }
}

bool Reader::OnInit(const char* text, std::size_t /*length*/) {
  error_->Clear(module::kCompiler, "script::Reader::OnInit");
  line_ = 1;
  column_ = 1;
  if (text == nullptr) return error_->Raise(ErrorCode::INVALID_POINTER, module::kCompiler, "script::Reader::OnInit");
  return include_ || interpreter_->Init();
}

bool Reader::OnToken(int32_t code, const std::string& text) { return interpreter_->OnEvent(code, text); }

}  // namespace script
