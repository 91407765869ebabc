// The diagonalisation of the molecule's matrix in the work record.
#pragma once

namespace orbcalc {

enum class DiagResult { converged, not_converged };

// Diagonalises the leading order by order block of hmat (order 0 to 30).
// Leaves the roots on the diagonal of hmat and their eigenvectors in the
// columns of vmat, in no particular order. A run whose iteration cannot
// settle still prints its table; the caller says so.
[[nodiscard]] DiagResult diag(int order);

}  // namespace orbcalc
