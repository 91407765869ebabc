// Cyclic Jacobi diagonalisation of the leading block of hmat, with
// the rotations accumulated in vmat. Each formula is evaluated in a format
// with a 64-bit significand and rounded to single precision at its store.
#pragma once

namespace orbcalc {

// What one diagonalisation did; the program never prints it, tests and
// benchmarks read it.
struct JacobiOutcome {
  int sweeps = 0;
  int rotations = 0;
  bool converged = false;
};

// No input ever makes it loop forever: it gives up after this many sweeps
// (tests pass a smaller limit).
inline constexpr int kMaxSweeps = 1000;

// Diagonalises the leading order by order block of the global molmodel in
// place (order 0 to 30; 0 is no block), evaluating every formula in Ext: long double with a 64-bit
// significand, or SoftExtended; both give the same bits. Expects vmat to be
// zero on entry; leaves the roots on the diagonal of hmat and the
// eigenvector of hmat(j, j) in column j of vmat.
//
// converged is true when every element below the diagonal ended at most
// 1.0e-6 in magnitude and none of them is a NaN; the diagonal may hold
// infinities and NaNs, which are then the roots as they stand. It is false
// when the iteration stopped because a sweep rotated nothing although the
// measure is not at most that limit (an infinity or NaN below the
// diagonal, or an element outside a block smaller than 2 by 2), when it
// reached max_sweeps, or when a NaN the measure passed over is left below
// the diagonal.
template <class Ext>
JacobiOutcome jacobi(int order, int max_sweeps = kMaxSweeps);

}  // namespace orbcalc
