// The report: the roots in descending order above the columns of their
// coefficients, in blocks of at most eight orbitals; `order` is the order of
// the matrix block that was solved.
#pragma once

#include <cstdint>

namespace orbcalc {

void pout(std::int32_t order);

// The atom lines of the block of orbitals first to last, then two empty
// lines.
void matout(const std::int32_t& first, const std::int32_t& last, std::int32_t order);

}  // namespace orbcalc
