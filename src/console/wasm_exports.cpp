// What a host of the WebAssembly program can read besides the output: the
// work record and the line of the statement in progress. The page draws
// its pictures from these, so that it never has to parse the printed
// table. Both are data, exported as the addresses where they stand: an
// exported function of a WASI command would run the static constructors
// before it and the exit handlers after it, taking down the console.
#include "wasm_exports.hpp"

#include <cstdint>

#include "console/console.hpp"
#include "model/molmodel.hpp"

// The address of `molmodel`, whose layout model/molmodel.hpp pins.
extern "C" orbcalc::Molmodel* const orbcalc_record = &orbcalc::molmodel;

// The line number of the statement in progress: of the read that waits
// for input while a run is stopped there, or of the last statement before
// the run ended; 0 before the first read.
extern "C" std::int32_t orbcalc_locus = 0;

namespace orbcalc {

void keep_locus_for_host() { orbcalc_locus = console().locus_line(); }

}  // namespace orbcalc
