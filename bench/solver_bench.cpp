// diag and incre on a 30-atom ring and on a 30-atom random graph, with the
// sweeps and rotations of the diagonalisation as counters; and the whole
// calculation of each 30-atom example run in-process, without the cost of
// starting a process.
#include <cstdint>
#include <string>

#include "bench_support.hpp"
#include "console/runtime.hpp"
#include "model/molmodel.hpp"
#include "solver/diag.hpp"
#include "solver/extended.hpp"
#include "solver/incre.hpp"
#include "solver/jacobi.hpp"

namespace orbcalc::bench {
namespace {

constexpr int kAtoms = 30;

void set_bond(int i, int j) {
  hmat(i, j) = 1.0f;
  hmat(j, i) = 1.0f;
}

Molmodel ring() {
  molmodel = {};
  molmodel.natom = kAtoms;
  for (int i = 1; i <= kAtoms; ++i) set_bond(i, i % kAtoms + 1);
  return molmodel;
}

// Every pair of atoms bonded with probability 1/8, from a fixed start: about
// 54 bonds, the same graph on every machine.
Molmodel random_graph() {
  molmodel = {};
  molmodel.natom = kAtoms;
  std::uint64_t state = 0x2545F4914F6CDD1Du;
  for (int i = 1; i <= kAtoms; ++i) {
    for (int j = i + 1; j <= kAtoms; ++j) {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      if ((state >> 61) == 0) set_bond(i, j);
    }
  }
  return molmodel;
}

void solve(benchmark::State& state, const Molmodel& input) {
  BenchPlatform platform("");
  runtime_start(0, nullptr, platform);
  molmodel = input;
  const JacobiOutcome outcome = jacobi<Extended>(kAtoms);
  if (!outcome.converged) {
    disagree(state, "the diagonalisation did not converge");
    return;
  }
  for (auto _ : state) {
    molmodel = input;
    benchmark::DoNotOptimize(diag(kAtoms));
    incre(kAtoms);
    benchmark::DoNotOptimize(molmodel);
  }
  state.counters["sweeps"] = outcome.sweeps;
  state.counters["rotations"] = outcome.rotations;
}

void BM_DiagIncre_Ring30(benchmark::State& state) { solve(state, ring()); }
BENCHMARK(BM_DiagIncre_Ring30)->Unit(benchmark::kMicrosecond);

void BM_DiagIncre_RandomGraph30(benchmark::State& state) { solve(state, random_graph()); }
BENCHMARK(BM_DiagIncre_RandomGraph30)->Unit(benchmark::kMicrosecond);

// The whole dialogue, solution and report of an example, with the
// platform's reads and writes in memory.
void BM_WholeRunInProcess(benchmark::State& state, const char* example) {
  const std::string answers = example_answers(example);
  for (auto _ : state) {
    if (run_answers(answers) != kStatusNormal) {
      disagree(state, std::string(example) + " did not end normally");
      break;
    }
  }
}
BENCHMARK_CAPTURE(BM_WholeRunInProcess, annulene30, "annulene30")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WholeRunInProcess, polyene30, "polyene30")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orbcalc::bench
