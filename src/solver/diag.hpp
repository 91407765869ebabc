// The diagonalisation of the molecule's matrix in the work record.
#pragma once

namespace orbcalc {

// Leaves the roots on the diagonal of hmat and their eigenvectors in the
// columns of vmat, in no particular order.
void diag();

}  // namespace orbcalc
