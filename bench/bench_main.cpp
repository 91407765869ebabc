// The benchmark program: Google Benchmark's usual command line, and an
// exit status of 1 when any benchmark found the program's results
// disagreeing with the library routine it is measured against.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_support.hpp"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  int failures = orbcalc::bench::disagreements();
  if (failures > 0) {
    std::fprintf(stderr, "%d disagreement(s) between the program and its reference: the run fails\n", failures);
    return 1;
  }
  return 0;
}
