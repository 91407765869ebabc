// Puts the roots on the diagonal of the leading block of hmat into
// descending order and moves each eigenvector column of vmat along with its
// root.
#pragma once

namespace orbcalc {

// A selection sort: position i takes the largest root from i on, the
// lowest position winning among equal roots (only a strictly greater value
// replaces the best so far), and exchanges places with it. Values move bit
// for bit. Not stable: the exchange can carry a root past an equal one.
void incre(int order);

}  // namespace orbcalc
