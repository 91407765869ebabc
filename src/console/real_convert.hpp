// Conversion of the text of a real value, as the free-form reader has
// scanned it, into a single-precision float rounded to nearest, ties to even.
#pragma once

#include <string_view>

namespace orbcalc {

// `scanned` is what the reader collected: an optional sign, then decimal
// digits with at most one period among them (possibly none at all), then
// optionally the letter e, a sign and one or more digits. The reader has
// already checked that shape and mapped every exponent form onto it.
//
// The conversion never fails. A mantissa without a nonzero digit is a zero
// of the given sign whatever its exponent; values beyond the largest float
// become an infinity of their sign, values too small become subnormal or a
// zero of their sign. The time taken is linear in the length of the text.
float convert_real(std::string_view scanned);

}  // namespace orbcalc
