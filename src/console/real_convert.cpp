#include "console/real_convert.hpp"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "console/decimal_float.hpp"
#include "console/text.hpp"

namespace orbcalc {
namespace {

// The leading digits are gathered exactly into D while D is below 2^60;
// each digit after that only moves the decimal exponent K.
constexpr std::uint64_t kAccumulateLimit = std::uint64_t{1} << 60;

// An exponent magnitude above this counts as this, moved out by the length
// of the text (see convert_real).
constexpr std::int64_t kExponentSaturation = 1000000;

// The value lies between D times 10^K and D + 1 times 10^K, with D from 1 to
// 2^64. For every K above this bound it is beyond the largest float, for every
// K below its negative under half the smallest subnormal: infinity or zero
// without further work.
constexpr std::int64_t kLargestExponent = 5000;

// A float, or the midpoint between two neighbouring floats, never has more
// than 113 significant decimal digits (the longest are the odd multiples of
// 2^-150 among the subnormals). The digits after that many can only tell
// whether the value lies above what the kept digits say, so they are folded
// into one sticky digit: the text handed to the library stays short however
// long the mantissa is, and rounds exactly as the whole mantissa would.
constexpr std::size_t kKeptDigits = 120;

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The digits of the mantissa from its first nonzero digit on, as far as
// they decide the rounding.
struct SignificantDigits {
  std::array<char, kKeptDigits> digits;
  std::size_t count = 0;
  bool nonzero_beyond = false;

  void push(char digit) {
    if (count < kKeptDigits) {
      digits[count++] = digit;
    } else if (digit != '0') {
      nonzero_beyond = true;
    }
  }
};

// What one pass over the mantissa learns: D and the digit counts that make
// K, and the significant digits for the rounding.
struct Mantissa {
  std::uint64_t d = 0;
  int d_digits = 0;  // digits of D from its first nonzero one
  std::int64_t counted_before_period = 0;
  std::int64_t accumulated_after_period = 0;
  SignificantDigits significant;
};

Mantissa read_mantissa(std::string_view text) {
  Mantissa mantissa;
  bool after_period = false;
  for (const char c : text) {
    if (c == '.') {
      assert(!after_period);
      after_period = true;
      continue;
    }
    assert(is_digit(c));
    // Zeros in front of the number are skipped only before the period;
    // after it they are accumulated like any digit, and so lower K.
    if (mantissa.d == 0 && c == '0' && !after_period) continue;
    if (mantissa.d < kAccumulateLimit) {
      mantissa.d = mantissa.d * 10 + static_cast<std::uint64_t>(c - '0');
      if (mantissa.d != 0) ++mantissa.d_digits;
      if (after_period) ++mantissa.accumulated_after_period;
    } else if (!after_period) {
      ++mantissa.counted_before_period;
    }
    // D is nonzero from the first nonzero digit on, which is always
    // accumulated, so this keeps exactly the significant digits.
    if (mantissa.d != 0) mantissa.significant.push(c);
  }
  return mantissa;
}

// The exponent after the letter e: a sign, then one or more digits, of any
// length. Its magnitude saturates at `limit`.
std::int64_t read_exponent(std::string_view text, std::int64_t limit) {
  assert(text.size() >= 2 && (text.front() == '+' || text.front() == '-'));
  std::int64_t magnitude = 0;
  for (const char c : text.substr(1)) {
    assert(is_digit(c));
    if (!append_digit(magnitude, c - '0', limit)) {
      magnitude = limit;
      break;
    }
  }
  return text.front() == '-' ? -magnitude : magnitude;
}

// The float nearest to 0.ddd... times 10^point, ties to even, from the
// library's correctly rounded conversion. `point` is within a few thousand
// of zero, so the exponent written for the library cannot overflow.
float nearest_float(const SignificantDigits& significant, std::int64_t point) {
  // The digits, the sticky digit, the letter e and a short exponent.
  std::array<char, kKeptDigits + 24> text;
  static_assert(text.size() <= kDecimalTextLimit);
  char* end = std::copy_n(significant.digits.data(), significant.count, text.data());
  if (significant.nonzero_beyond) *end++ = '1';
  const std::int64_t digits_written = end - text.data();
  *end++ = 'e';
  end = std::to_chars(end, text.data() + text.size(), point - digits_written).ptr;
  return nearest_float_of({text.data(), static_cast<std::size_t>(end - text.data())});
}

}  // namespace

float convert_real(std::string_view scanned) {
  const bool negative = !scanned.empty() && scanned.front() == '-';
  if (!scanned.empty() && (negative || scanned.front() == '+')) scanned.remove_prefix(1);
  const float signed_zero = negative ? -0.0f : 0.0f;
  const float signed_infinity = negative ? -kInfinity : kInfinity;

  const std::size_t exponent_letter = std::min(scanned.find('e'), scanned.size());
  const Mantissa mantissa = read_mantissa(scanned.substr(0, exponent_letter));
  // No exponent can scale a typed zero (or a mantissa with no digit at all)
  // into anything but zero.
  if (mantissa.d == 0) return signed_zero;

  // The saturation point grows by the length of the text. The digit counts
  // that enter K never exceed that length, so an exponent saturated there is
  // still on the same side of the K limits as its true value would be; a
  // huge mantissa against a huge opposite exponent (two million zeros after
  // the period, then e+2000001) keeps its true value.
  const std::int64_t exponent_limit = kExponentSaturation + static_cast<std::int64_t>(scanned.size());
  const std::int64_t exponent =
      exponent_letter < scanned.size() ? read_exponent(scanned.substr(exponent_letter + 1), exponent_limit) : 0;
  const std::int64_t k = exponent + mantissa.counted_before_period - mantissa.accumulated_after_period;
  if (k > kLargestExponent) return signed_infinity;
  if (k < -kLargestExponent) return signed_zero;

  // D's first digit stands d_digits places above 10^K.
  const float magnitude = nearest_float(mantissa.significant, k + mantissa.d_digits);
  return negative ? -magnitude : magnitude;
}

}  // namespace orbcalc
