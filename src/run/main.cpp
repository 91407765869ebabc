// The program entry: starts the console layer, then runs the calculation.
#include "console/runtime.hpp"
#include "run/orbcalc.hpp"

int main(int argc, char** argv) {
  orbcalc::runtime_start(argc, argv);
  orbcalc::orbcalc_main();
  // The main routine ends with its stop; should it ever come back, the
  // run still ends normally.
  orbcalc::runtime_stop();
  return orbcalc::kStatusNormal;
}
