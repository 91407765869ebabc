// The program entry: starts the console layer, then runs the calculation.
#include <new>

#include "console/runtime.hpp"
#include "run/orbcalc.hpp"

int main(int argc, char** argv) {
  orbcalc::runtime_start(argc, argv);
  try {
    orbcalc::orbcalc_main();
  } catch (const std::bad_alloc&) {
    orbcalc::os_error(orbcalc::kMemoryAllocationFailed);
  }
  // The main routine ends with its stop; should it ever come back, the
  // run still ends normally.
  orbcalc::runtime_stop();
  return orbcalc::kStatusNormal;
}
