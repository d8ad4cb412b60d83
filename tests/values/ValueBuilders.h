#pragma once
// Short builders of temporary values for the value tests.
#include <cstring>
#include <string>

#include "Script/Memory/Memory.h"
#include "Script/Values/Value.h"

namespace script::test {

template <typename T, void (Value::*Set)(T)>
Value Make(T number) {
  Value value;
  (value.*Set)(number);
  return value;
}

inline Value Bool(bool v) { return Make<bool, &Value::SetBool>(v); }
inline Value I8(int8_t v) { return Make<int8_t, &Value::SetI8>(v); }
inline Value UI8(uint8_t v) { return Make<uint8_t, &Value::SetUI8>(v); }
inline Value I16(int16_t v) { return Make<int16_t, &Value::SetI16>(v); }
inline Value UI16(uint16_t v) { return Make<uint16_t, &Value::SetUI16>(v); }
inline Value I32(int32_t v) { return Make<int32_t, &Value::SetI32>(v); }
inline Value UI32(uint32_t v) { return Make<uint32_t, &Value::SetUI32>(v); }
inline Value I64(int64_t v) { return Make<int64_t, &Value::SetI64>(v); }
inline Value UI64(uint64_t v) { return Make<uint64_t, &Value::SetUI64>(v); }
inline Value Float(float v) { return Make<float, &Value::SetFloat>(v); }
inline Value Double(double v) { return Make<double, &Value::SetDouble>(v); }
inline Value Str(Memory& heap, const std::string& text) {
  Value value;
  value.SetString(heap, text.data(), text.size());
  return value;
}

}  // namespace script::test
