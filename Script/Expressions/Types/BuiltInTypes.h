#pragma once
// The process-wide built-in type nodes: one Type per basic type keyword
// (ids 77 to 88) and the built-in error type (id 103), which the error
// declarations register. They live for the whole process and are shared by
// every program; they are built when the program starts, before any heap
// exists, and are never live nodes of a heap.
#include <cstdint>

namespace script {

class Runable;
class Type;

// The singleton for ids 77 to 88, the registered error type for 103 (null
// until registered), null for every other id.
Type* BuiltInType(int32_t typeId);

// Registers the built-in error type; it must have id 103 and outlive its use.
void SetBuiltInErrorType(Type* errorType);

// Whether the node is one of the built-in type nodes.
bool IsBuiltInType(const Runable* node);

}  // namespace script
