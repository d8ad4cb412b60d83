#pragma once
// Descriptions of a loaded program for the debugger views: the frames of a
// thread's call stack and the functions the program declares.
#include <cstdint>
#include <string>

namespace script {

// One frame of a call stack, outermost (the program) first.
struct FrameInfo {
  int32_t index = 0;
  std::string function;  // the script's file name for the program, else "i32 f(i32, string)"
  std::string module;    // "Script", or a library's module name
  std::string file;      // path of the file the frame stands in
  uint32_t fileId = 0;
  uint32_t line = 0;  // from 1
  uint32_t position = 0;
};

// A function, built-in or library the program declares, for the function
// browser. The functions of a library follow its Library entry.
struct FunctionInfo {
  enum class Kind { Function, BuiltIn, Library, LibraryFunction };
  Kind kind = Kind::Function;
  std::string text;  // "i32 fib(i32)", "sizeof", "c: \"libc.so.6\""
  std::string file;  // the declaring file; empty for built-ins
  uint32_t fileId = 0;
  uint32_t line = 0;  // from 1; 0 for built-ins
  uint32_t position = 0;
};

}  // namespace script
