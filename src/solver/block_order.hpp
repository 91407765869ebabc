// The order of the matrix block that the solver works on.
#pragma once

#include <algorithm>

#include "model/molmodel.hpp"

namespace orbcalc {

// natom itself, except that a negative count means an empty block and the
// block never reaches past the 30 by 30 matrices of the record.
inline int block_order() {
  return std::clamp(static_cast<int>(molmodel.natom), 0, kMaxAtoms);
}

}  // namespace orbcalc
