// The WebAssembly program's exports for its host: see wasm_exports.cpp.
#pragma once

namespace orbcalc {

// Copies the statement locus where the host reads it; called before every
// read and on the way out of a run, while the console stands.
void keep_locus_for_host();

}  // namespace orbcalc
