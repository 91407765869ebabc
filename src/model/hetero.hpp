// Hetero parameter input: one (row, column, value) triple per parameter,
// written over the two symmetric elements of hmat.
#pragma once

namespace orbcalc {

void hetero();

}  // namespace orbcalc
