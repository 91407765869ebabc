// The address of the work record, exported from the WebAssembly program
// as data, so that its host can read the counts, the solved matrix and the
// coefficients without parsing the printed table. model/molmodel.hpp pins
// the record's layout. It is data rather than a function: an exported
// function of a WASI command would run the static constructors before it
// and the exit handlers after it, taking down the console.
#include "model/molmodel.hpp"

extern "C" orbcalc::Molmodel* const orbcalc_record = &orbcalc::molmodel;
