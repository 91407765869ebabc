// The check that keeps every answered index inside the record.
#pragma once

#include <cstdint>
#include <string_view>

namespace orbcalc {

// Ends the run, as a failed read at `line`, when `index` is not an atom
// number from 1 to 30. `what` names the index in the reason, such as
// "Atom 2 of bond 5".
void check_atom_index(int line, std::int32_t index, std::string_view what);

}  // namespace orbcalc
