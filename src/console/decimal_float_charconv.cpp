// nearest_float_of with std::from_chars, where the library has it for float.
#include <cassert>
#include <charconv>
#include <limits>
#include <system_error>

#include "console/decimal_float.hpp"

namespace orbcalc {

float nearest_float_of(std::string_view text) {
  assert(text.size() <= kDecimalTextLimit);
  const char* end = text.data() + text.size();
  float value = 0.0f;
  const std::from_chars_result result = std::from_chars(text.data(), end, value);
  assert(result.ptr == end);
  if (result.ec == std::errc::result_out_of_range) {
    // Nothing is stored when the rounded value is zero or infinite. The
    // first digit is not zero, so the value is at least 1, and has
    // overflowed, when the exponent does not take the units place below it.
    const std::size_t letter = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + letter + (text[letter + 1] == '+' ? 2 : 1), end, exponent);
    const bool huge = exponent + static_cast<int>(letter) > 0;
    return huge ? std::numeric_limits<float>::infinity() : 0.0f;
  }
  assert(result.ec == std::errc{});
  return value;
}

}  // namespace orbcalc
