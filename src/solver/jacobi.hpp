// Cyclic Jacobi diagonalisation of the leading natom block of hmat, with
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

// No input ever makes it loop forever: it gives up after this many sweeps.
inline constexpr int kMaxSweeps = 1000;

// Diagonalises the leading natom by natom block of the global molmodel in
// place (no block when natom is 0 or negative, 30 by 30 at most when it is
// larger), evaluating every formula in Ext: long double with a 64-bit
// significand, or SoftExtended; both give the same bits. Expects vmat to be
// zero on entry; leaves the roots on the diagonal of hmat and the
// eigenvector of hmat(j, j) in column j of vmat.
//
// converged is true when every element below the diagonal ended at most
// 1.0e-6 in magnitude and the whole block is finite. It is false when the
// iteration stopped because a sweep rotated nothing although the largest
// element is above that limit (an infinity or NaN, or an element outside a
// block smaller than 2 by 2), when it reached kMaxSweeps, or when the
// result holds an infinity or a NaN.
template <class Ext>
JacobiOutcome jacobi();

}  // namespace orbcalc
