#pragma once
// The C library's standard output streams, shared by the engine's host and
// by native code that a script calls.
namespace script::platform {

// Writes out what the standard output and error streams hold buffered, so
// that lines written on either side of a native call keep their order when
// both streams go to one pipe. Costs two loads when nothing is pending.
void FlushPendingOutput();

}  // namespace script::platform
