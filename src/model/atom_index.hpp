// The check that keeps every answered index inside the record.
#pragma once

#include <cstdint>
#include <string_view>

#include "console/statement.hpp"

namespace orbcalc {

// Ends the run, as a failed read of `statement`, when `index` is not an
// atom number from 1 to 30. `what` names the index in the reason, with
// "%d" for the number of the bond or parameter: "Atom 2 of bond %d".
void check_atom_index(const ReadStatement& statement, std::int32_t index, std::string_view what, std::int32_t number);

}  // namespace orbcalc
