// The platform layer on WebAssembly with WASI: file descriptors 0, 1 and
// 2, errno and strerror, and exit. There are no signals: a processor fault
// is a trap that ends the module's run, and the host that runs the module
// (cmake/wasi-run.mjs) reports it by calling orbcalc_trap below.
#include <cstdint>
#include <cstdlib>

#include "console/exception_names.hpp"
#include "console/platform_fd.hpp"
#include "console/runtime.hpp"
#include "console/wasm_exports.hpp"

namespace orbcalc {
namespace {

class WasiPlatform final : public FdPlatform {
 public:
  // Traps cannot be caught inside the module; the host hands them over.
  void install_fault_handler() override {}

  // A read is where the host may stop the run for more input.
  IoResult read(StdStream stream, std::span<char> into) override {
    keep_locus_for_host();
    return FdPlatform::read(stream, into);
  }

  [[noreturn]] void exit(int status) override {
    keep_locus_for_host();
    std::exit(status);
  }

  [[noreturn]] void exit_from_fault(int status) override {
    keep_locus_for_host();
    std::_Exit(status);
  }
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
