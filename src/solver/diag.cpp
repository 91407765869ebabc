#include "solver/diag.hpp"

#include "console/runtime.hpp"
#include "solver/extended.hpp"
#include "solver/jacobi.hpp"

namespace orbcalc {

void diag() {
  // A run whose iteration cannot settle still prints its table: the
  // values that would not converge show there as they stand. Infinities
  // and NaNs on the diagonal alone are roots, not a failure to converge.
  if (!jacobi<Extended>().converged) {
    warn("orbcalc: the diagonalisation stopped without converging; the table shows where it stopped");
  }
}

}  // namespace orbcalc
