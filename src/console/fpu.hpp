// The floating-point environment of a run: every exception masked, round
// to nearest, and on x86 a 64-bit significand for x87 intermediates.
#pragma once

namespace orbcalc {

void init_fpu();

}  // namespace orbcalc
