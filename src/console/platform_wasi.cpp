// The platform layer on WebAssembly with WASI: file descriptors 0, 1 and
// 2, errno and strerror, and exit. There are no signals: a processor fault
// is a trap that ends the module's run, and the host that runs the module
// (cmake/wasi-run.mjs) reports it by calling orbcalc_trap below.
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "console/exception_names.hpp"
#include "console/platform.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

int descriptor(StdStream stream) {
  switch (stream) {
    case StdStream::input: return STDIN_FILENO;
    case StdStream::output: return STDOUT_FILENO;
    case StdStream::error: return STDERR_FILENO;
  }
  return STDERR_FILENO;
}

class WasiPlatform final : public Platform {
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

  // Traps cannot be caught inside the module; the host hands them over.
  void install_fault_handler() override {}

  [[noreturn]] void exit(int status) override { std::exit(status); }

  [[noreturn]] void exit_from_fault(int status) override { std::_Exit(status); }
};

}  // namespace

Platform& system_platform() {
  static WasiPlatform platform;
  return platform;
}

}  // namespace orbcalc

// Called by the host after a trap has ended the module's run, with the
// exception code of the Windows fault that matches the trap (0 when none
// does). The module's memory is as the trap left it, so the diagnostic
// names the statement in progress, as a fault handler does elsewhere.
extern "C" [[clang::export_name("orbcalc_trap")]] void orbcalc_trap(std::uint32_t code) {
  orbcalc::handle_fpe(orbcalc::exception_name(code));
}
