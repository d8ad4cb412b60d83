#include "Script/Platform/FaultGuard.h"

#include <pthread.h>
#include <setjmp.h>
#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace script::platform {

namespace {

constexpr int kGuardedSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
// A fault this close below the stack pointer is taken for a stack overflow.
constexpr uintptr_t kStackOverflowReach = 64 * 1024;

struct GuardFrame {
  sigjmp_buf jump;
  GuardFrame* outer;
  volatile uint32_t code;
};

// The innermost guarded region of the thread: read by the signal handler,
// so it is a plain pointer with no constructor.
thread_local GuardFrame* t_innermost = nullptr;

struct sigaction g_previous[NSIG];
std::once_flag g_installed;

// The thread's alternate signal stack, released when the thread ends.
class AlternateStack {
 public:
  AlternateStack() {
    stack_t current{};
    // A stack set up before (by a sanitizer, say) serves as well.
    if (::sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) == 0) return;
    const long minimum = ::sysconf(_SC_MINSIGSTKSZ);
    size_ = static_cast<std::size_t>(minimum > 0 ? minimum : 0) + 64 * 1024;
    memory_ = std::malloc(size_);
    if (memory_ == nullptr) return;
    stack_t own{};
    own.ss_sp = memory_;
    own.ss_size = size_;
    if (::sigaltstack(&own, nullptr) != 0) {
      std::free(memory_);
      memory_ = nullptr;
    }
  }
  AlternateStack(const AlternateStack&) = delete;
  AlternateStack& operator=(const AlternateStack&) = delete;
  ~AlternateStack() {
    if (memory_ == nullptr) return;
    stack_t current{};
    if (::sigaltstack(nullptr, &current) == 0 && current.ss_sp == memory_) {
      stack_t off{};
      off.ss_flags = SS_DISABLE;
      ::sigaltstack(&off, nullptr);
    }
    std::free(memory_);
  }

 private:
  void* memory_ = nullptr;
  std::size_t size_ = 0;
};

uint32_t FloatingPointCode(int reason) {
  switch (reason) {
    case FPE_INTDIV:
      return kIntegerDivideByZero;
    case FPE_INTOVF:
      return kIntegerOverflow;
    case FPE_FLTDIV:
      return kFloatDivideByZero;
    case FPE_FLTOVF:
      return kFloatOverflow;
    case FPE_FLTUND:
      return kFloatUnderflow;
    case FPE_FLTRES:
      return kFloatInexactResult;
    case FPE_FLTSUB:
      return kArrayBoundsExceeded;
    default:
      return kFloatInvalidOperation;
  }
}

bool NearStackPointer(const siginfo_t* info, const void* context) {
  const auto* machine = static_cast<const ucontext_t*>(context);
  const auto stackPointer = static_cast<uintptr_t>(machine->uc_mcontext.gregs[REG_RSP]);
  const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
  return address < stackPointer + kStackOverflowReach && stackPointer < address + kStackOverflowReach;
}

uint32_t ExceptionCode(int signal, const siginfo_t* info, const void* context) {
  switch (signal) {
    case SIGFPE:
      return FloatingPointCode(info->si_code);
    case SIGILL:
      return info->si_code == ILL_PRVOPC || info->si_code == ILL_PRVREG ? kPrivilegedInstruction
                                                                        : kIllegalInstruction;
    case SIGBUS:
      return info->si_code == BUS_ADRALN ? kDatatypeMisalignment : kAccessViolation;
    default:
      return NearStackPointer(info, context) ? kStackOverflow : kAccessViolation;
  }
}

// A signal no region catches goes where it would have gone without the
// guard: to the handler installed before, or to the default action.
void Forward(int signal, siginfo_t* info, void* context) {
  const struct sigaction& previous = g_previous[signal];
  if ((previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction != nullptr) {
    previous.sa_sigaction(signal, info, context);
    return;
  }
  if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    previous.sa_handler(signal);
    return;
  }
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  ::sigemptyset(&fallback.sa_mask);
  ::sigaction(signal, &fallback, nullptr);
  // A fault repeats when its instruction runs again on return; a signal
  // sent by another process is raised again (delivered once this returns).
  if (info->si_code <= 0) ::raise(signal);
}

void OnFault(int signal, siginfo_t* info, void* context) {
  GuardFrame* frame = t_innermost;
  // Only faults of the processor (si_code > 0) end a region.
  if (frame == nullptr || info->si_code <= 0) {
    Forward(signal, info, context);
    return;
  }
  frame->code = ExceptionCode(signal, info, context);
  t_innermost = frame->outer;
  // The jump does not restore the signal mask (saving it would cost a system
  // call per region): put back the mask the fault interrupted, since the
  // handler may run with more signals blocked than its own (a sanitizer's
  // wrapper blocks them all).
  ::pthread_sigmask(SIG_SETMASK, &static_cast<const ucontext_t*>(context)->uc_sigmask, nullptr);
  ::siglongjmp(frame->jump, 1);
}

void InstallHandlers() {
  struct sigaction action {};
  action.sa_sigaction = &OnFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  ::sigemptyset(&action.sa_mask);
  for (int signal : kGuardedSignals) ::sigaction(signal, &action, &g_previous[signal]);
}

void PrepareThread() {
  std::call_once(g_installed, InstallHandlers);
  thread_local AlternateStack stack;
}

}  // namespace

uint32_t RunGuarded(void (*body)(void*), void* argument) {
  PrepareThread();
  GuardFrame frame;
  frame.outer = t_innermost;
  frame.code = 0;
  if (sigsetjmp(frame.jump, 0) != 0) return frame.code;
  t_innermost = &frame;
  try {
    body(argument);
  } catch (...) {
    // An exception leaves the region as a return does.
    t_innermost = frame.outer;
    throw;
  }
  t_innermost = frame.outer;
  return 0;
}

uint32_t GuardedProbe(const void* address, std::size_t size) {
  if (size == 0) return 0;
  const auto* first = static_cast<const volatile uint8_t*>(address);
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  auto touch = [&] {
    for (std::size_t at = 0; at < size; at += page) (void)first[at];
    (void)first[size - 1];
  };
  return Guarded(touch);
}

uint32_t GuardedCopy(void* target, const void* source, std::size_t size) {
  auto copy = [&] { std::memcpy(target, source, size); };
  return Guarded(copy);
}

uint32_t GuardedReadWord(uintptr_t address, uintptr_t& word) {
  return GuardedCopy(&word, reinterpret_cast<const void*>(address), sizeof word);
}

uint32_t GuardedStringLength(const char* text, std::size_t& length) {
  auto measure = [&] { length = std::strlen(text); };
  return Guarded(measure);
}

}  // namespace script::platform
