#pragma once
// The built-ins that convert between strings and character arrays:
// arr2str and warr2str read an array of ui8 or ui16 up to its first zero
// into a new string; str2arr and str2warr copy a string into a new array
// with a terminating zero. The system code page is UTF-8: the wide forms
// convert between UTF-8 and UTF-16.
#include <cstdint>
#include <string>

#include "Script/Expressions/BuiltIns/BuiltInFunction.h"

namespace script {

// A built-in with a declared parameter type, which the call's argument must
// have: a reference to a character array or to a string.
class BuiltIn1Arg : public BuiltInFunction {
 protected:
  BuiltIn1Arg(int32_t typeId, const SourcePosition& position, Node* parent, Type* returnType, Type* parameterType)
      : BuiltInFunction(typeId, position, parent, returnType, parameterType) {}
};

// arr2str(a): the bytes of a ui8 array up to its first NUL, at most all of it.
class Arr2Str : public BuiltIn1Arg {
 public:
  Arr2Str(const SourcePosition& position, Node* parent) : Arr2Str(TYPE_ARR2STR, position, parent, TYPE_UI8) {}

 protected:
  Arr2Str(int32_t typeId, const SourcePosition& position, Node* parent, int32_t elementTypeId);

  // An array whose storage address is null gives the empty string.
  uint32_t Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) override;
  // The text of `count` elements at `address` (unaligned), up to the first zero.
  virtual std::string Convert(const uint8_t* address, uint32_t count) const;
};

// warr2str(a): the UTF-16 units of a ui16 array up to its first zero unit,
// as UTF-8.
class WArr2Str : public Arr2Str {
 public:
  WArr2Str(const SourcePosition& position, Node* parent) : Arr2Str(TYPE_WARR2STR, position, parent, TYPE_UI16) {}

 protected:
  std::string Convert(const uint8_t* address, uint32_t count) const override;
};

// str2arr(s): a new ui8 array of length(s) + 1 bytes: the characters and a NUL.
class Str2Arr : public BuiltIn1Arg {
 public:
  Str2Arr(const SourcePosition& position, Node* parent) : Str2Arr(TYPE_STR2ARR, position, parent, TYPE_UI8) {}

 protected:
  Str2Arr(int32_t typeId, const SourcePosition& position, Node* parent, int32_t elementTypeId);

  uint32_t Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) override;
  // The bytes of the new array: the text and its terminating zero.
  virtual std::string Convert(const std::string& text) const;
};

// str2warr(s): a new ui16 array of the UTF-16 units of s and a zero unit.
class Str2WArr : public Str2Arr {
 public:
  Str2WArr(const SourcePosition& position, Node* parent) : Str2Arr(TYPE_STR2WARR, position, parent, TYPE_UI16) {}

 protected:
  std::string Convert(const std::string& text) const override;
};

}  // namespace script
