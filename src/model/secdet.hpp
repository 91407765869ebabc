// Bond input: one numbered prompt and one pair of atoms per bond, each
// bond setting its two symmetric elements of hmat to 1.
#pragma once

namespace orbcalc {

void secdet();

}  // namespace orbcalc
