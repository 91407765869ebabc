// The diagonalisation of the molecule's matrix in the work record.
#pragma once

namespace orbcalc {

enum class DiagResult { converged, not_converged };

// Leaves the roots on the diagonal of hmat and their eigenvectors in the
// columns of vmat, in no particular order. A run whose iteration cannot
// settle still prints its table; the caller says so.
[[nodiscard]] DiagResult diag();

}  // namespace orbcalc
