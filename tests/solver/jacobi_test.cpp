#include "solver/jacobi.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "model/atoms.hpp"
#include "solver_test_support.hpp"

namespace orbcalc {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void expect_outcome(const JacobiOutcome& outcome, int sweeps, int rotations, bool converged) {
  EXPECT_EQ(outcome.sweeps, sweeps);
  EXPECT_EQ(outcome.rotations, rotations);
  EXPECT_EQ(outcome.converged, converged);
}

TEST(Jacobi, TwoAtomsRotateOnceToExactZeros) {
  load_chain(2);
  expect_outcome(jacobi<Extended>(2), 1, 1, true);
  EXPECT_EQ(bits_of(hmat(1, 1)), 0xBF7FFFFFu);  // -0.99999994
  EXPECT_EQ(bits_of(hmat(2, 2)), 0x3F7FFFFFu);  // 0.99999994
  EXPECT_EQ(bits_of(hmat(2, 1)), 0x00000000u);
  EXPECT_EQ(bits_of(hmat(1, 2)), 0x00000000u);
  // c = 0.70710677 and s the same: -s stands below the diagonal.
  for (float v : {vmat(1, 1), vmat(1, 2), vmat(2, 2)}) EXPECT_EQ(bits_of(v), 0x3F3504F3u);
  EXPECT_EQ(bits_of(vmat(2, 1)), 0xBF3504F3u);
}

// The sweep limit ends the iteration unconverged; a measure that falls to
// 1.0e-6 right after the last allowed sweep still counts as converged.
TEST(Jacobi, SweepLimitEndsUnconverged) {
  load_chain(4);  // converges after 7 sweeps
  expect_outcome(jacobi<Extended>(4, 6), 6, 16, false);
  load_chain(4);
  expect_outcome(jacobi<Extended>(4, 7), 7, 18, true);
}

TEST(Jacobi, BlocksSmallerThanTwo) {
  // One atom: the unit vector and its own value.
  molmodel = {};
  hmat(1, 1) = 0.75f;
  expect_outcome(jacobi<Extended>(1), 0, 0, true);
  EXPECT_EQ(vmat(1, 1), 1.0f);
  EXPECT_EQ(hmat(1, 1), 0.75f);

  // One atom and a large element (2, 1) outside the block: nothing can
  // lower the measure; one sweep rotates nothing and the routine gives up.
  molmodel = {};
  set_pair(2, 1, 1.0f);
  expect_outcome(jacobi<Extended>(1), 1, 0, false);
  EXPECT_EQ(vmat(1, 1), 1.0f);
  EXPECT_EQ(hmat(2, 1), 1.0f);

  // No atoms, or a negative count: nothing is written at all.
  for (int natom : {0, -3}) {
    for (float element : {0.0f, 1.0f}) {
      molmodel = {};
      set_pair(2, 1, element);
      const Molmodel before = molmodel;
      const JacobiOutcome outcome = jacobi<Extended>(atom_block(natom));
      EXPECT_EQ(outcome.converged, element == 0.0f);
      EXPECT_EQ(outcome.rotations, 0);
      EXPECT_EQ(std::memcmp(&before, &molmodel, sizeof before), 0);
    }
  }
}

// A count stands for the block of its own order, a negative count for no
// block, and a count above 30 for the full 30 by 30 block, never more.
TEST(Jacobi, BlockOfACount) {
  const std::pair<int, int> cases[] = {{-3, 0}, {0, 0}, {1, 1}, {30, 30}, {31, 30}, {45, 30}};
  for (const auto& [natom, order] : cases) EXPECT_EQ(atom_block(natom), order) << natom;
}

// Both limits are inclusive: an element equal to the threshold stays for
// the next sweep, a measure equal to 1.0e-6 is converged.
TEST(Jacobi, LimitsCompareInclusively) {
  // The pair (4, 3) sets the measure 1 and the threshold 0.1; the disjoint
  // pair (2, 1) is rotated in the first sweep only if it exceeds 0.1.
  for (const auto& [element, sweeps] : {std::pair{0.1f, 2}, std::pair{std::nextafter(0.1f, 1.0f), 1}}) {
    molmodel = {};
    set_pair(4, 3, 1.0f);
    set_pair(2, 1, element);
    expect_outcome(jacobi<Extended>(4), sweeps, 2, true);
  }
  for (const auto& [element, sweeps] : {std::pair{1.0e-6f, 0}, std::pair{std::nextafter(1.0e-6f, 1.0f), 1}}) {
    load_chain(2, false, element);
    expect_outcome(jacobi<Extended>(2), sweeps, sweeps, true);
  }
}

// Values that are not finite, or that overflow single precision on the
// way, must still end the iteration, and never count as converged.
TEST(Jacobi, NonFiniteValuesEndUnconverged) {
  struct Case {
    int i, j;
    float value, bond;
  };
  // The measure passes over a NaN below the diagonal, as at (3, 1) among
  // bonds or at (4, 1) and (4, 3) alone, in the last row; the result is still not a
  // diagonalisation. Bonds near the top of the float range make a stored
  // result overflow.
  const Case cases[] = {{2, 1, kInfinity, 1.0f}, {3, 2, -kInfinity, 1.0f}, {2, 1, kNaN, 1.0f},
                        {3, 1, kNaN, 1.0f},      {4, 1, kNaN, 0.0f},       {2, 2, kInfinity, 1.0f},
                        {1, 1, kNaN, 1.0f},      {1, 2, 3.0e38f, 3.0e38f}, {4, 3, kNaN, 0.0f}};
  for (const Case& c : cases) {
    load_chain(4, false, c.bond);
    set_pair(c.i, c.j, c.value);
    const JacobiOutcome outcome = jacobi<Extended>(4);
    EXPECT_FALSE(outcome.converged) << c.i << ", " << c.j << ": " << c.value;
    EXPECT_LE(outcome.sweeps, kMaxSweeps);
  }
}

}  // namespace
}  // namespace orbcalc
