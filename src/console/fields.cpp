#include "console/fields.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace orbcalc {
namespace {

constexpr char kOverflowFill = '*';
constexpr std::size_t kMaxIntegerDigits = 39;
// Every float is a multiple of 2^-149 and so has at most 149 fraction
// digits; further fraction digits are zeros.
constexpr int kExactFractionDigits = 149;

// A number as it is written: its sign, zeros, digits and more zeros.
struct NumberText {
  std::string_view sign;
  std::size_t leading_zeros = 0;
  std::string_view digits;
  std::size_t trailing_zeros = 0;

  std::size_t size() const { return sign.size() + leading_zeros + digits.size() + trailing_zeros; }
};

// Right-justifies the number in the field, or fills the field with
// asterisks when it does not fit.
void justify(std::span<char> field, const NumberText& number) {
  const std::size_t n = number.size();
  if (n > field.size()) {
    std::fill(field.begin(), field.end(), kOverflowFill);
    return;
  }
  auto out = std::fill_n(field.begin(), field.size() - n, ' ');
  out = std::copy(number.sign.begin(), number.sign.end(), out);
  out = std::fill_n(out, number.leading_zeros, '0');
  out = std::copy(number.digits.begin(), number.digits.end(), out);
  std::fill_n(out, number.trailing_zeros, '0');
}

// The digits of |value| times ten to the `digits` (at most kMaxShortDigits),
// rounded to the nearest integer with ties to the even one, written with a
// point before the last `digits` of at least digits + 1 digits. Exact
// integer arithmetic on the float's significand and exponent: with a
// significand below 2^24 and ten to the digits below 2^30 every product
// fits in 64 bits. Returns nullptr, writing nothing, when the value is 2^23
// or more in magnitude (an integer, left to the general path).
constexpr int kMaxShortDigits = 9;
constexpr std::uint64_t kPowersOfTen[kMaxShortDigits + 1] = {1,      10,      100,      1000,      10000,
                                                             100000, 1000000, 10000000, 100000000, 1000000000};

char* fixed_digits_short(char* out, float value, int digits) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(value) & 0x7FFFFFFFu;
  const std::uint32_t biased = bits >> 23;
  std::uint64_t significand = bits & 0x7FFFFFu;
  int shift = 149;  // value = significand / 2^shift
  if (biased != 0) {
    significand |= 0x800000u;
    shift = 150 - static_cast<int>(biased);
  }
  if (shift <= 0) return nullptr;
  const std::uint64_t scaled = significand * kPowersOfTen[digits];
  std::uint64_t n = 0;
  if (shift < 64) {
    n = scaled >> shift;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (n & 1) != 0)) ++n;
  }
  // Else the scaled value is below 2^54 / 2^64: it rounds to 0.

  // Room for the zeros that make up at least digits + 1 digits.
  char text[32];
  char* begin = text + kMaxShortDigits + 2;
  char* end = std::to_chars(begin, text + sizeof text, n).ptr;
  while (end - begin < digits + 1) *--begin = '0';
  out = std::copy(begin, end - digits, out);
  if (digits > 0) {
    *out++ = '.';
    out = std::copy(end - digits, end, out);
  }
  return out;
}

std::string_view non_finite_text(float value, std::size_t width) {
  if (std::isnan(value)) return "NaN";
  if (std::signbit(value)) return "-Inf";
  return width == 3 ? "Inf" : "+Inf";
}

}  // namespace

std::string_view calculate_sign(bool negative) { return negative ? "-" : ""; }

void write_i(std::span<char> field, std::int32_t value, std::int64_t min_digits) {
  // The magnitude as an unsigned number, so the most negative value has
  // its digits too.
  std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  std::array<char, 16> digits;
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr;
  std::string_view text(digits.data(), static_cast<std::size_t>(end - digits.data()));
  if (min_digits == 0 && value == 0) text = "";
  std::size_t zeros = 0;
  if (min_digits > static_cast<std::int64_t>(text.size()) && min_digits <= static_cast<std::int64_t>(field.size())) {
    zeros = static_cast<std::size_t>(min_digits) - text.size();
  }
  justify(field, {calculate_sign(value < 0), zeros, text, 0});
}

void write_f(std::span<char> field, float value, int digits) {
  if (!std::isfinite(value)) {
    justify(field, {"", 0, non_finite_text(value, field.size()), 0});
    return;
  }
  // The text has at least digits + 2 bytes and loses at most two, so more
  // fraction digits than the width can only give asterisks.
  if (static_cast<std::size_t>(digits) > field.size()) {
    std::fill(field.begin(), field.end(), kOverflowFill);
    return;
  }
  // The digits of |value| times ten to the digits, rounded half to even
  // on the exact binary value: to_chars with a precision is exact. The
  // largest float has 39 digits before the point.
  const int exact_digits = std::min(digits, kExactFractionDigits);
  std::array<char, kMaxIntegerDigits + 2 + kExactFractionDigits> text;
  char* begin = text.data();
  char* end = digits <= kMaxShortDigits ? fixed_digits_short(begin, value, digits) : nullptr;
  if (end == nullptr) {
    end = std::to_chars(begin, text.data() + text.size(), std::fabs(value), std::chars_format::fixed, exact_digits).ptr;
  }
  if (digits == 0) *end++ = '.';
  std::string_view number(begin, static_cast<std::size_t>(end - begin));
  std::string_view sign = calculate_sign(std::signbit(value));
  const std::size_t trailing_zeros = static_cast<std::size_t>(digits - exact_digits);
  std::size_t w = field.size();
  std::size_t n = sign.size() + number.size() + trailing_zeros;

  // A text one or two bytes too long loses a redundant leading zero:
  // "-0.000" of a negative value that rounds to zero loses its "-0" when
  // that makes it fit, and a lone "0" before the point goes.
  bool all_zero_fraction = number.find_first_not_of('0', number.find('.') + 1) == std::string_view::npos;
  if (n == w + 2 && !sign.empty() && number.starts_with("0.") && all_zero_fraction) {
    sign = "";
    number.remove_prefix(1);
  } else if (n == w + 1 && number.starts_with('0')) {
    number.remove_prefix(1);
  }
  justify(field, {sign, 0, number, trailing_zeros});
}

void write_a(std::span<char> field, std::string_view text) {
  if (field.size() >= text.size()) {
    auto out = std::fill_n(field.begin(), field.size() - text.size(), ' ');
    std::copy(text.begin(), text.end(), out);
  } else {
    std::copy_n(text.begin(), field.size(), field.begin());
  }
}

}  // namespace orbcalc
