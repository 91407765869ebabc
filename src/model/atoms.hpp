// What the answers may say about atoms, in one place: how many atoms the
// record holds, which block of its matrices a count stands for, and which
// indices a bond or hetero parameter may name.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "console/statement.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

// Ends the run, as a failed read of `statement`, when `natom` is more than
// the record holds. Zero and negative counts pass: they stand for no atoms.
void check_atom_count(const ReadStatement& statement, std::int32_t natom);

// The order of the matrix block that the solver works on and the report
// prints for a count: the count itself, except that a negative count means
// an empty block and the block never reaches past the 30 by 30 matrices.
constexpr int atom_block(std::int32_t natom) { return std::clamp(static_cast<int>(natom), 0, kMaxAtoms); }

// Ends the run, as a failed read of `statement`, when `index` is not an
// atom number from 1 to 30; an index above the number of atoms is accepted
// and names an element outside the block. `what` names the index in the
// reason, with "%d" for the number of the bond or parameter: "Atom 2 of
// bond %d".
void check_atom_index(const ReadStatement& statement, std::int32_t index, std::string_view what, std::int32_t number);

}  // namespace orbcalc
