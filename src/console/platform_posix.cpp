// The platform layer on POSIX systems: file descriptors 0, 1 and 2, errno
// and strerror, signal handlers for processor faults, and exit.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "console/exception_names.hpp"
#include "console/platform_fd.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

// A fault this close below (or above) the lowest address the main stack
// may grow to is taken for a stack overflow.
constexpr std::uintptr_t kStackGuardReach = 1u << 20;
constexpr std::size_t kAlternateStackSize = 64 * 1024;

alignas(16) std::array<char, kAlternateStackSize> alternate_stack;
// An address inside the main stack, taken at start-up; the stack's extent
// is looked up only when a fault needs it.
std::uintptr_t stack_reference = 0;

// Reads a hexadecimal number at `at`, leaving `at` on the byte after it.
std::uintptr_t parse_hex(const char*& at, const char* end) {
  std::uintptr_t value = 0;
  at = std::from_chars(at, end, value, 16).ptr;
  return value;
}

// The lowest address the main stack may grow to: its top less its size
// limit, but not below the end of the mapping under it (the same place the
// thread attributes of the main thread give). Worked out from
// /proc/self/maps with nothing but system calls and the stack, as it
// runs in the fault handler; 0 when it cannot be found.
std::uintptr_t main_stack_low() {
  int maps = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (maps < 0) return 0;
  // On the alternate stack, which has room for it.
  std::array<char, 4096> maps_chunk;
  std::uintptr_t below_end = 0;
  std::uintptr_t top = 0;
  std::size_t held = 0;
  while (top == 0) {
    ssize_t n = ::read(maps, maps_chunk.data() + held, maps_chunk.size() - held);
    if (n <= 0) break;
    held += static_cast<std::size_t>(n);
    const char* line = maps_chunk.data();
    const char* end = line + held;
    // Each line begins "start-end "; the lines go up in address.
    while (top == 0) {
      const char* eol = static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
      if (eol == nullptr) break;
      const char* at = line;
      std::uintptr_t start = parse_hex(at, eol);
      if (at != eol) ++at;
      std::uintptr_t finish = parse_hex(at, eol);
      if (start <= stack_reference && stack_reference < finish) {
        top = finish;
      } else {
        below_end = finish;
      }
      line = eol + 1;
    }
    held = static_cast<std::size_t>(end - line);
    std::memmove(maps_chunk.data(), line, held);
    if (held == maps_chunk.size()) break;  // a line longer than the chunk: give up
  }
  ::close(maps);
  if (top == 0) return 0;
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= top) {
    return below_end;
  }
  return std::max<std::uintptr_t>(top - limit.rlim_cur, below_end);
}

bool is_stack_overflow(const void* address) {
  auto at = reinterpret_cast<std::uintptr_t>(address);
  std::uintptr_t stack_low = main_stack_low();
  return stack_low != 0 && at + kStackGuardReach >= stack_low && at < stack_low + kStackGuardReach;
}

FaultName fault_name(int signo, const siginfo_t* info) {
  switch (signo) {
    case SIGSEGV: return is_stack_overflow(info->si_addr) ? "Stack overflow" : "Access Violation";
    case SIGBUS: return info->si_code == BUS_ADRALN ? "Data alignment" : "Page error";
    case SIGILL:
      return (info->si_code == ILL_PRVOPC || info->si_code == ILL_PRVREG) ? "Privileged instruction"
                                                                          : "Illegal instruction";
    case SIGFPE:
      switch (info->si_code) {
        case FPE_INTDIV: return "Integer division by zero";
        case FPE_INTOVF: return "Integer overflow";
        case FPE_FLTDIV: return "Division by zero";
        case FPE_FLTOVF: return "Overflow";
        case FPE_FLTUND: return "Underflow";
        case FPE_FLTRES: return "Inexact result";
        case FPE_FLTINV: return "Invalid operation";
        case FPE_FLTSUB: return "Subscript out of range";
        default: break;
      }
      break;
    case SIGTRAP:
      if (info->si_code == TRAP_BRKPT) return "Breakpoint";
      if (info->si_code == TRAP_TRACE) return "Single Step";
      break;
    default: break;
  }
  return unknown_exception_name(static_cast<std::uint32_t>(signo));
}

// Runs on the alternate stack, so a stack overflow is reported too. It
// only formats into static storage and calls open, read, close, getrlimit,
// write and _exit.
void on_fault(int signo, siginfo_t* info, void*) { handle_fpe(fault_name(signo, info)); }

class PosixPlatform final : public FdPlatform {
 public:
  void install_fault_handler() override {
    // A closed pipe on standard output is a failed write, not a silent end.
    signal(SIGPIPE, SIG_IGN);
    stack_reference = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    stack_t stack{};
    stack.ss_sp = alternate_stack.data();
    stack.ss_size = alternate_stack.size();
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_sigaction = on_fault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signo : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP}) sigaction(signo, &action, nullptr);
  }

  [[noreturn]] void exit(int status) override { std::exit(status); }

  [[noreturn]] void exit_from_fault(int status) override { ::_exit(status); }
};

}  // namespace

Platform& system_platform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace orbcalc
