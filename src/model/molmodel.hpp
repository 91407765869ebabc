// The one work record of the calculation: the Hueckel matrix, the
// coefficient matrix, the bonds as entered and the four counts.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace orbcalc {

inline constexpr int kMaxAtoms = 30;
inline constexpr int kMaxBonds = 30;

// Both matrices are stored column by column: element (i, j), 1-based, is
// the ((j - 1) * 30 + i)-th of the 900, so one column of coefficients is
// contiguous.
struct Molmodel {
  std::array<float, kMaxAtoms * kMaxAtoms> hmat;
  std::array<float, kMaxAtoms * kMaxAtoms> vmat;
  std::array<std::int32_t, kMaxBonds> iat;
  std::array<std::int32_t, kMaxBonds> jat;
  std::int32_t natom;
  std::int32_t nbond;
  std::int32_t nelec;
  std::int32_t nhet;
};

// Zero-filled static storage; nothing ever clears or resets it.
extern Molmodel molmodel;

constexpr bool is_atom_index(std::int32_t i) { return i >= 1 && i <= kMaxAtoms; }

constexpr int element_offset(int i, int j) { return (j - 1) * kMaxAtoms + (i - 1); }

inline float& hmat(int i, int j) {
  assert(is_atom_index(i) && is_atom_index(j));
  return molmodel.hmat[static_cast<std::size_t>(element_offset(i, j))];
}

inline float& vmat(int i, int j) {
  assert(is_atom_index(i) && is_atom_index(j));
  return molmodel.vmat[static_cast<std::size_t>(element_offset(i, j))];
}

}  // namespace orbcalc
