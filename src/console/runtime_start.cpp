// Start-up and stop of a run: builds the console on its platform, passes
// the statement locus on to it, and closes its units at the plain stop.
#include <new>

#include "console/console.hpp"
#include "console/fpu.hpp"
#include "console/platform.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

// The layer takes its buffers with malloc and checks them; what the
// standard library allocates with new (a system's error text) fails the
// same way, without an exception.
void memory_exhausted() { os_error(kMemoryAllocationFailed); }

}  // namespace

void runtime_start(int, char**, Platform& platform, std::size_t record_limit) {
  std::set_new_handler(memory_exhausted);
  start_console(platform, record_limit);
  init_fpu();
  platform.install_fault_handler();
}

void runtime_start(int argc, char** argv) { runtime_start(argc, argv, system_platform()); }

Platform& runtime_platform() { return console().platform(); }

int runtime_stop() { return console().close_units(); }

void set_locus(int line) { console().set_locus(line); }
void set_current_unit(int unit) { console().set_current_unit(unit); }

void stop_run() {
  // Output the system still refuses at the end is lost output: the run
  // must not end as if it had succeeded.
  int error = runtime_stop();
  if (error != 0) generate_error(kOsError, runtime_platform().error_text(error));
  sys_exit(kStatusNormal);
}

}  // namespace orbcalc
