// The platform layer on POSIX systems: file descriptors 0, 1 and 2, errno
// and strerror, signal handlers for processor faults, and exit.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "console/exception_names.hpp"
#include "console/platform.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

// A fault this close below (or above) the lowest address the main stack
// may grow to is taken for a stack overflow.
constexpr std::uintptr_t kStackGuardReach = 1u << 20;
constexpr std::size_t kAlternateStackSize = 64 * 1024;

alignas(16) std::array<char, kAlternateStackSize> alternate_stack;
std::uintptr_t stack_low = 0;

int descriptor(StdStream stream) {
  switch (stream) {
    case StdStream::input: return STDIN_FILENO;
    case StdStream::output: return STDOUT_FILENO;
    case StdStream::error: return STDERR_FILENO;
  }
  return STDERR_FILENO;
}

bool is_stack_overflow(const void* address) {
  auto at = reinterpret_cast<std::uintptr_t>(address);
  return stack_low != 0 && at + kStackGuardReach >= stack_low && at < stack_low + kStackGuardReach;
}

std::string_view fault_name(int signo, const siginfo_t* info) {
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
// only formats into static storage and calls write and _exit.
void on_fault(int signo, siginfo_t* info, void*) { handle_fpe(fault_name(signo, info)); }

void find_main_stack() {
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return;
  void* low = nullptr;
  std::size_t size = 0;
  if (pthread_attr_getstack(&attributes, &low, &size) == 0) {
    stack_low = reinterpret_cast<std::uintptr_t>(low);
  }
  pthread_attr_destroy(&attributes);
}

class PosixPlatform final : public Platform {
 public:
  IoResult read(StdStream stream, std::span<char> into) override {
    for (;;) {
      ssize_t n = ::read(descriptor(stream), into.data(), into.size());
      if (n >= 0) return {static_cast<std::size_t>(n), 0};
      if (errno != EINTR) return {0, errno};
    }
  }

  IoResult write(StdStream stream, std::span<const char> bytes) override {
    for (;;) {
      ssize_t n = ::write(descriptor(stream), bytes.data(), bytes.size());
      if (n > 0) return {static_cast<std::size_t>(n), 0};
      if (n == 0) return {0, EIO};  // a write that takes nothing would never finish
      if (errno != EINTR) return {0, errno};
    }
  }

  std::string error_text(int error) override { return std::strerror(error); }

  int out_of_memory_error() override { return ENOMEM; }

  void install_fault_handler() override {
    // A closed pipe on standard output is a failed write, not a silent end.
    signal(SIGPIPE, SIG_IGN);
    find_main_stack();
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
