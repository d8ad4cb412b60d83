#pragma once
// Which sanitizer the tests are built with, for the few tests whose subject
// a sanitizer cannot follow.

namespace script::test {

// ThreadSanitizer records at most 65536 frames of a stack and aborts past
// them, so it cannot watch a run exhaust a script thread's machine stack.
#if defined(__SANITIZE_THREAD__)
constexpr bool kThreadSanitizer = true;
#else
constexpr bool kThreadSanitizer = false;
#endif

}  // namespace script::test
