// What a host of the WebAssembly program can read besides the output and
// the work record (model/record_export.cpp): the line of the statement in
// progress, which tells the host whether the record holds the solution
// yet. It is data, not a function: an exported function of a WASI command
// would run the static constructors before it and the exit handlers after
// it, taking down the console.
#include "wasm_exports.hpp"

#include <cstdint>

#include "console/console.hpp"

// The line number of the statement in progress: of the read that waits
// for input while a run is stopped there, or of the last statement before
// the run ended; 0 before the first read.
extern "C" std::int32_t orbcalc_locus = 0;

namespace orbcalc {

void keep_locus_for_host() { orbcalc_locus = console().locus_line(); }

}  // namespace orbcalc
