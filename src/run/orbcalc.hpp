// The main routine: the whole of one calculation, from the banner to the
// stop.
#pragma once

#include <string_view>

namespace orbcalc {

// The line on standard error after a diagonalisation that did not
// converge; the run goes on and prints its table.
inline constexpr std::string_view kNotConverged =
    "orbcalc: the diagonalisation stopped without converging; the table shows where it stopped";

// Asks for the molecule, solves it, prints the table and stops the run;
// it never returns.
void orbcalc_main();

}  // namespace orbcalc
