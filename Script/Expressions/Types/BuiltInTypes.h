#pragma once
// The process-wide built-in type nodes: one Type per basic type keyword
// (ids 77 to 88). They live for the whole process and are shared by every
// program; they are built when the program starts, before any heap exists,
// and are never live nodes of a heap. (The error type, which names its
// members in a program's symbols, belongs to each program.)
#include <cstdint>

namespace script {

class Runable;
class Type;

// The singleton for ids 77 to 88, null for every other id.
Type* BuiltInType(int32_t typeId);

// Whether the node is one of the built-in type nodes.
bool IsBuiltInType(const Runable* node);

}  // namespace script
