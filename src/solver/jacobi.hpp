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

}  // namespace orbcalc
