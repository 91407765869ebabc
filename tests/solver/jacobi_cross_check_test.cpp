// Whole random molecules diagonalised through the hardware long double and
// through SoftExtended must give the same bits and the same counts.
#include <cmath>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "solver/jacobi.hpp"
#include "solver_test_support.hpp"

namespace orbcalc {
namespace {

// A sparse random graph like a conjugated molecule: a chain, a few extra
// bonds closing rings, and hetero-like values on some atoms and bonds.
void load_random_molecule(std::mt19937_64& gen) {
  std::uniform_int_distribution<int> order(1, kMaxAtoms);
  std::uniform_real_distribution<float> coulomb(-1.5f, 2.5f);
  std::uniform_real_distribution<float> resonance(0.4f, 1.4f);
  const int natom = order(gen);
  std::uniform_int_distribution<int> atom(1, natom);
  load_chain(natom);
  for (int extra = natom / 5; extra > 0; --extra) {
    const int i = atom(gen);
    const int j = atom(gen);
    if (i != j) set_pair(i, j, 1.0f);
  }
  for (int hetero = static_cast<int>(gen() % 4); hetero > 0; --hetero) {
    const int i = atom(gen);
    hmat(i, i) = coulomb(gen);
    if (i < natom) set_pair(i, i + 1, resonance(gen));
  }
}

TEST(JacobiCrossCheck, HardwareAndSoftwareAgreeOnRandomMolecules) {
  if (!kLongDoubleIsExtended) GTEST_SKIP() << "no hardware extended format";
  std::mt19937_64 gen(20240611);
  for (int molecule = 0; molecule < 60; ++molecule) {
    SCOPED_TRACE(molecule);
    load_random_molecule(gen);
    const Molmodel input = molmodel;
    const JacobiOutcome hardware = jacobi<Extended>();
    const Molmodel hardware_result = molmodel;
    molmodel = input;
    const JacobiOutcome software = jacobi<SoftExtended>();

    EXPECT_EQ(hardware.sweeps, software.sweeps);
    EXPECT_EQ(hardware.rotations, software.rotations);
    EXPECT_TRUE(hardware.converged);
    EXPECT_TRUE(software.converged);
    EXPECT_EQ(std::memcmp(&hardware_result, &molmodel, sizeof molmodel), 0);
    for (int i = 2; i <= molmodel.natom; ++i) {
      for (int j = 1; j < i; ++j) EXPECT_LE(std::fabs(hmat(i, j)), 1.0e-6f);
    }
  }
}

}  // namespace
}  // namespace orbcalc
