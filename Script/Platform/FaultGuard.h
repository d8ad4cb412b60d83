#pragma once
// The fault guard: processor faults (SIGSEGV, SIGBUS, SIGFPE, SIGILL) raised
// while the calling thread is inside a guarded region end that region with
// an exception code instead of ending the process. The codes are those of
// structured exceptions (0xc0000005 for an access violation). A fault
// outside every guarded region keeps the system's behaviour, or goes to the
// handler that was installed before (a sanitizer's, say).
//
// A fault leaves the region by a long jump: the frames between the region's
// start and the fault, native ones included, are abandoned without being
// unwound. Code run in a region must therefore hold no object whose
// destructor matters across an instruction that may fault. Regions nest; the
// innermost one catches.
#include <cstddef>
#include <cstdint>

namespace script::platform {

// Exception codes of the faults.
inline constexpr uint32_t kAccessViolation = 0xC0000005u;
inline constexpr uint32_t kDatatypeMisalignment = 0x80000002u;
inline constexpr uint32_t kIllegalInstruction = 0xC000001Du;
inline constexpr uint32_t kPrivilegedInstruction = 0xC0000096u;
inline constexpr uint32_t kIntegerDivideByZero = 0xC0000094u;
inline constexpr uint32_t kIntegerOverflow = 0xC0000095u;
inline constexpr uint32_t kFloatDivideByZero = 0xC000008Eu;
inline constexpr uint32_t kFloatInexactResult = 0xC000008Fu;
inline constexpr uint32_t kFloatInvalidOperation = 0xC0000090u;
inline constexpr uint32_t kFloatOverflow = 0xC0000091u;
inline constexpr uint32_t kFloatUnderflow = 0xC0000093u;
inline constexpr uint32_t kArrayBoundsExceeded = 0xC000008Cu;
inline constexpr uint32_t kStackOverflow = 0xC00000FDu;

// Runs body(argument) as a guarded region of the calling thread. Returns 0
// when the body returned, else the code of the fault that ended it. The
// first region of a thread gives it an alternate signal stack, so that a
// stack overflow is caught as well.
uint32_t RunGuarded(void (*body)(void*), void* argument);

// A guarded region around a callable that captures only pointers and
// references (see the rule above).
template <typename Body>
uint32_t Guarded(Body& body) {
  return RunGuarded([](void* callable) { (*static_cast<Body*>(callable))(); }, &body);
}

// Reads one byte of each page of a range that may lie in foreign memory;
// 0 when all are readable, else the fault's code.
uint32_t GuardedProbe(const void* address, std::size_t size);
// Reads the address-sized word at an address that may lie in foreign
// memory; 0 or the fault's code.
uint32_t GuardedReadWord(uintptr_t address, uintptr_t& word);
// Copies bytes that may lie in foreign memory; 0 or the fault's code.
uint32_t GuardedCopy(void* target, const void* source, std::size_t size);
// The length of a C string that may lie in foreign memory; 0 or the fault's code.
uint32_t GuardedStringLength(const char* text, std::size_t& length);

}  // namespace script::platform
