// The last step of reading a real value: a short decimal text to the
// nearest float, done by the standard library. Which library function does
// it is chosen when the program is built (see CMakeLists.txt).
#pragma once

#include <cstddef>
#include <string_view>

namespace orbcalc {

// The longest text nearest_float_of takes.
inline constexpr std::size_t kDecimalTextLimit = 160;

// `text` is decimal digits, the letter e and a signed exponent, at most
// kDecimalTextLimit characters. Returns the float nearest to its value,
// ties to even: zero when the value is below half the smallest subnormal,
// infinity when it is beyond the largest float.
float nearest_float_of(std::string_view text);

}  // namespace orbcalc
