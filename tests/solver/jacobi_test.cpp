#include "solver/jacobi.hpp"

#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "solver/incre.hpp"
#include "solver_test_support.hpp"

namespace orbcalc {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

template <class Ext>
class JacobiTest : public ::testing::Test {
 protected:
  void SetUp() override { molmodel = {}; }
};
TYPED_TEST_SUITE(JacobiTest, ExtendedTypes);

void expect_outcome(const JacobiOutcome& outcome, int sweeps, int rotations,
                    bool converged) {
  EXPECT_EQ(outcome.sweeps, sweeps);
  EXPECT_EQ(outcome.rotations, rotations);
  EXPECT_EQ(outcome.converged, converged);
}

TYPED_TEST(JacobiTest, TwoAtomsRotateOnceToExactZeros) {
  load_chain(2);
  expect_outcome(jacobi<TypeParam>(), 1, 1, true);
  EXPECT_EQ(bits_of(hmat(1, 1)), 0xBF7FFFFFu);  // -0.99999994
  EXPECT_EQ(bits_of(hmat(2, 2)), 0x3F7FFFFFu);  // 0.99999994
  EXPECT_EQ(bits_of(hmat(2, 1)), 0x00000000u);
  EXPECT_EQ(bits_of(hmat(1, 2)), 0x00000000u);
  EXPECT_EQ(bits_of(vmat(1, 1)), 0x3F3504F3u);  // c = 0.70710677
  EXPECT_EQ(bits_of(vmat(2, 1)), 0xBF3504F3u);
  EXPECT_EQ(bits_of(vmat(1, 2)), 0x3F3504F3u);
  EXPECT_EQ(bits_of(vmat(2, 2)), 0x3F3504F3u);
}

TYPED_TEST(JacobiTest, ChainsAndRingConvergeInKnownSweeps) {
  struct Case {
    int natom;
    bool ring;
    int sweeps;
    int rotations;
  };
  for (const Case& c : {Case{3, false, 5, 9}, Case{4, false, 7, 18},
                        Case{6, true, 10, 45}}) {
    SCOPED_TRACE(c.natom);
    load_chain(c.natom, c.ring);
    expect_outcome(jacobi<TypeParam>(), c.sweeps, c.rotations, true);
    for (int i = 2; i <= c.natom; ++i) {
      for (int j = 1; j < i; ++j) {
        EXPECT_LE(std::fabs(hmat(i, j)), 1.0e-6f);
        EXPECT_EQ(bits_of(hmat(i, j)), bits_of(hmat(j, i)));
      }
    }
  }
}

TYPED_TEST(JacobiTest, ThreeChainBitsBeforeAndAfterOrdering) {
  load_chain(3);
  jacobi<TypeParam>();
  EXPECT_EQ(bits_of(hmat(1, 1)), 0xB1BA2C40u);  // -5.4183431e-9
  EXPECT_EQ(bits_of(hmat(2, 2)), 0xBFB504F2u);  // -1.4142134
  EXPECT_EQ(bits_of(hmat(3, 3)), 0x3FB504F1u);  // 1.4142133
  EXPECT_EQ(vmat(2, 1), -2.4211829e-8f);
  incre();
  EXPECT_EQ(hmat(1, 1), 1.4142133f);
  EXPECT_EQ(hmat(2, 2), -5.4183431e-9f);
  EXPECT_EQ(hmat(3, 3), -1.4142134f);
  EXPECT_EQ(vmat(2, 2), -2.4211829e-8f);
}

TYPED_TEST(JacobiTest, ButadieneRootsAndCoefficients) {
  load_chain(4);
  jacobi<TypeParam>();
  EXPECT_EQ(bits_of(hmat(1, 1)), 0x3F1E377Bu);  // 0.6180341
  EXPECT_EQ(bits_of(hmat(2, 2)), 0x3FCF1BBCu);  // 1.6180339
  EXPECT_EQ(bits_of(hmat(3, 3)), 0xBF1E377Au);  // -0.6180340
  EXPECT_EQ(bits_of(hmat(4, 4)), 0xBFCF1BBCu);  // -1.6180339
  EXPECT_EQ(vmat(1, 1), 0.60150075f);
  EXPECT_EQ(vmat(1, 2), -0.37174809f);
}

TYPED_TEST(JacobiTest, DiagonalMatrixIsLeftAsEntered) {
  molmodel.natom = 3;
  hmat(1, 1) = 0.5f;
  hmat(2, 2) = -1.25f;
  hmat(3, 3) = 3.0f;
  expect_outcome(jacobi<TypeParam>(), 0, 0, true);
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(vmat(i, j), i == j ? 1.0f : 0.0f);
  }
  EXPECT_EQ(hmat(1, 1), 0.5f);
  EXPECT_EQ(hmat(2, 2), -1.25f);
  EXPECT_EQ(hmat(3, 3), 3.0f);
}

// Infinities and NaNs on the diagonal alone leave nothing to rotate: the
// block is diagonal and the iteration has converged.
TYPED_TEST(JacobiTest, NonFiniteDiagonalAloneIsConverged) {
  molmodel.natom = 3;
  hmat(1, 1) = kInfinity;
  hmat(2, 2) = -kInfinity;
  hmat(3, 3) = kNaN;
  expect_outcome(jacobi<TypeParam>(), 0, 0, true);
  EXPECT_EQ(hmat(1, 1), kInfinity);
  EXPECT_EQ(hmat(2, 2), -kInfinity);
  EXPECT_TRUE(std::isnan(hmat(3, 3)));
  EXPECT_EQ(vmat(3, 3), 1.0f);
}

TYPED_TEST(JacobiTest, BlocksSmallerThanTwo) {
  // One atom: the unit vector and its own value.
  molmodel.natom = 1;
  hmat(1, 1) = 0.75f;
  expect_outcome(jacobi<TypeParam>(), 0, 0, true);
  EXPECT_EQ(vmat(1, 1), 1.0f);
  EXPECT_EQ(hmat(1, 1), 0.75f);

  // One atom and a large element (2, 1) outside the block: nothing can
  // lower the measure; one sweep rotates nothing and the routine gives up.
  molmodel = {};
  molmodel.natom = 1;
  set_pair(2, 1, 1.0f);
  expect_outcome(jacobi<TypeParam>(), 1, 0, false);
  EXPECT_EQ(vmat(1, 1), 1.0f);
  EXPECT_EQ(hmat(2, 1), 1.0f);

  // No atoms, or a negative count: nothing is written at all.
  for (int natom : {0, -3}) {
    for (float element : {0.0f, 1.0f}) {
      molmodel = {};
      molmodel.natom = natom;
      set_pair(2, 1, element);
      const Molmodel before = molmodel;
      const JacobiOutcome outcome = jacobi<TypeParam>();
      EXPECT_EQ(outcome.converged, element == 0.0f);
      EXPECT_EQ(outcome.rotations, 0);
      EXPECT_EQ(std::memcmp(&before, &molmodel, sizeof before), 0);
    }
  }
}

// A count above 30 solves and orders the full 30 by 30 block and never
// reaches past the matrices.
TYPED_TEST(JacobiTest, BlockNeverReachesPastTheRecord) {
  load_chain(30, true);
  hmat(1, 1) = 0.5f;
  const Molmodel input = molmodel;
  const JacobiOutcome full = jacobi<TypeParam>();
  incre();
  const Molmodel expected = molmodel;
  molmodel = input;
  molmodel.natom = 45;
  const JacobiOutcome oversized = jacobi<TypeParam>();
  incre();
  expect_outcome(oversized, full.sweeps, full.rotations, full.converged);
  molmodel.natom = 30;
  EXPECT_EQ(std::memcmp(&expected, &molmodel, sizeof molmodel), 0);
}

// Both limits are inclusive: an element equal to the threshold stays for
// the next sweep, a measure equal to 1.0e-6 is converged.
TYPED_TEST(JacobiTest, LimitsCompareInclusively) {
  // The pair (4, 3) sets the measure 1 and the threshold 0.1; the disjoint
  // pair (2, 1) is rotated in the first sweep only if it exceeds 0.1.
  for (const auto& [element, sweeps] :
       {std::pair{0.1f, 2}, std::pair{std::nextafter(0.1f, 1.0f), 1}}) {
    molmodel = {};
    molmodel.natom = 4;
    set_pair(4, 3, 1.0f);
    set_pair(2, 1, element);
    expect_outcome(jacobi<TypeParam>(), sweeps, 2, true);
  }
  for (const auto& [element, sweeps] :
       {std::pair{1.0e-6f, 0}, std::pair{std::nextafter(1.0e-6f, 1.0f), 1}}) {
    load_chain(2, false, element);
    expect_outcome(jacobi<TypeParam>(), sweeps, sweeps, true);
  }
}

// The sweep limit ends the iteration unconverged; a measure that falls to
// 1.0e-6 right after the last allowed sweep still counts as converged.
TYPED_TEST(JacobiTest, SweepLimitEndsUnconverged) {
  load_chain(4);  // converges after 7 sweeps
  expect_outcome(jacobi<TypeParam>(6), 6, 16, false);
  load_chain(4);
  expect_outcome(jacobi<TypeParam>(7), 7, 18, true);
}

// Values that are not finite, or that overflow single precision on the
// way, must still end the iteration, and never count as converged.
TYPED_TEST(JacobiTest, NonFiniteValuesEndUnconverged) {
  struct Case {
    const char* name;
    int i;
    int j;
    float value;
  };
  const Case cases[] = {
      {"infinity at (2, 1)", 2, 1, kInfinity},
      {"minus infinity at (3, 2)", 3, 2, -kInfinity},
      {"NaN at (2, 1)", 2, 1, kNaN},
      // The measure passes over a NaN below the diagonal; the result is
      // still not a diagonalisation.
      {"NaN at (3, 1)", 3, 1, kNaN},
      {"infinity on the diagonal", 2, 2, kInfinity},
      {"NaN on the diagonal", 1, 1, kNaN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    load_chain(4);
    set_pair(c.i, c.j, c.value);
    const JacobiOutcome outcome = jacobi<TypeParam>();
    EXPECT_FALSE(outcome.converged);
    EXPECT_LE(outcome.sweeps, kMaxSweeps);
  }
  // Bonds near the top of the float range: a stored result overflows.
  load_chain(4, false, 3.0e38f);
  const JacobiOutcome outcome = jacobi<TypeParam>();
  EXPECT_FALSE(outcome.converged);
  EXPECT_LE(outcome.sweeps, kMaxSweeps);
}

}  // namespace
}  // namespace orbcalc
