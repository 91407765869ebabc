// The main routine: the whole of one calculation, from the banner to the
// stop.
#pragma once

namespace orbcalc {

// Asks for the molecule, solves it, prints the table and stops the run;
// it never returns.
void orbcalc_main();

}  // namespace orbcalc
