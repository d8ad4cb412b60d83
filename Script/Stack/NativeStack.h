#pragma once
// Whether the calling thread's machine stack has room to run a tree of
// nodes. Running a node recurses into its children, so a body `nesting`
// levels deep needs that many nested native frames; the compiler bounds the
// nesting, and a call checks the room for its callee's body before it runs.
#include <cstdint>

namespace script {

bool NativeStackHolds(uint32_t nesting);

}  // namespace script
