#pragma once
// The record handed to every node's Run, and the run-result codes.
#include <cstdint>

namespace script {

class Memory;
class MemoryBlock;
class Scope;
class StackMemory;
class Value;

enum RunResult : uint32_t {
  RUN_OK = 0,         // go on with the next statement
  RUN_ERROR = 1,      // a runtime error was reported
  RUN_BREAK = 2,      // a break reached this level
  RUN_RETURN = 3,     // a return reached this level; its value is in the result
  RUN_CONTINUE = 4,   // a continue reached this level
  RUN_EXCEPTION = 5,  // a processor fault ended a native-to-script call
  RUN_STOP = 6,       // the debugger asked to stop
};

struct ExecContext {
  // Marks a request for the reference slot when none has been recorded.
  static inline MemoryBlock* const kNoReferenceSlot = reinterpret_cast<MemoryBlock*>(~uintptr_t{0});

  Value* result = nullptr;  // receives the node's value; null when none is wanted
  Memory* heap = nullptr;
  StackMemory* thread = nullptr;
  Scope* scope = nullptr;  // innermost scope being run
  // Where the reference reached last is stored: null when not asked for,
  // kNoReferenceSlot when asked but unknown, else a block holding one count.
  MemoryBlock* referenceSlotBlock = nullptr;
  uint32_t referenceSlotOffset = 0;

  // A context for evaluating a child: same heap, thread and scope.
  ExecContext ForChild(Value* childResult) const { return ExecContext{childResult, heap, thread, scope}; }
};

}  // namespace script
