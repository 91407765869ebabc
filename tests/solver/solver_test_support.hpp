// Helpers shared by the solver tests: float bits and matrix set-up.
#pragma once

#include <bit>
#include <cstdint>

#include "model/molmodel.hpp"
#include "solver/extended.hpp"

namespace orbcalc {

inline std::uint32_t bits_of(float x) { return std::bit_cast<std::uint32_t>(x); }

// Sets (i, j) and (j, i), as the input routines do.
inline void set_pair(int i, int j, float value) {
  hmat(i, j) = value;
  hmat(j, i) = value;
}

// A fresh record holding a chain of natom atoms, closed into a ring on
// request, every bond weighted `bond`.
inline void load_chain(int natom, bool ring = false, float bond = 1.0f) {
  molmodel = {};
  molmodel.natom = natom;
  for (int i = 1; i < natom; ++i) set_pair(i, i + 1, bond);
  if (ring) set_pair(1, natom, bond);
}

}  // namespace orbcalc
