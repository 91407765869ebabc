// Generated texts against glibc's strtof, an independent correctly rounded
// conversion, and midpoints between neighbouring floats against the
// neighbour that ties-to-even picks.
#include "console/real_convert.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace orbcalc {
namespace {

using Random = std::mt19937_64;

std::int64_t uniform(Random& random, std::int64_t low, std::int64_t high) {
  return std::uniform_int_distribution<std::int64_t>(low, high)(random);
}

bool one_in(Random& random, std::int64_t n) { return uniform(random, 1, n) == 1; }

std::string random_digits(Random& random, std::int64_t count) {
  std::string digits;
  for (std::int64_t i = 0; i < count; ++i) digits += static_cast<char>('0' + uniform(random, 0, 9));
  return digits;
}

// A number, digits times 10^power, as the reader could have scanned it and
// in the plain syntax that strtof reads.
struct Rendered {
  std::string scanned;
  std::string plain;
};

Rendered render(Random& random, bool negative, const std::string& digits, std::int64_t power) {
  const std::string sign = negative ? "-" : one_in(random, 2) ? "+" : "";
  std::string mantissa = std::string(static_cast<std::size_t>(
                             one_in(random, 20) ? uniform(random, 0, 60) : uniform(random, 0, 2)),
                             '0') +
                         digits;
  // The period may stand anywhere, leading zeros included, or nowhere.
  std::int64_t exponent = power;
  if (!one_in(random, 4)) {
    const std::int64_t before = uniform(random, 0, static_cast<std::int64_t>(mantissa.size()));
    mantissa.insert(static_cast<std::size_t>(before), 1, '.');
    exponent += static_cast<std::int64_t>(mantissa.size()) - 1 - before;
  }
  std::string scanned = sign + mantissa;
  if (exponent != 0 || one_in(random, 2)) {
    const std::int64_t padding = one_in(random, 10) ? uniform(random, 1, 40) : 0;
    scanned += exponent < 0 ? "e-" : "e+";
    scanned += std::string(static_cast<std::size_t>(padding), '0');
    scanned += std::to_string(exponent < 0 ? -exponent : exponent);
  }
  return {scanned, sign + digits + "e" + std::to_string(power)};
}

// glibc's strtof rounds even the longest midpoint texts correctly; MinGW's
// turns some subnormal ones into the smallest normal float, so there the
// midpoints are checked against their exact neighbours only.
#if defined(__GLIBC__)
constexpr bool kStrtofRoundsMidpoints = true;
#else
constexpr bool kStrtofRoundsMidpoints = false;
#endif

std::uint32_t strtof_bits(const std::string& plain) {
  return std::bit_cast<std::uint32_t>(std::strtof(plain.c_str(), nullptr));
}

// The decimal digits of odd times 2^twos (twos >= 0) or of odd times 5^-twos
// (twos < 0), so that odd times 2^twos is those digits times 10^min(twos, 0).
std::string exact_digits(std::uint64_t odd, int twos) {
  constexpr std::uint32_t kLimb = 1000000000;
  std::vector<std::uint32_t> limbs{static_cast<std::uint32_t>(odd % kLimb),
                                   static_cast<std::uint32_t>(odd / kLimb)};
  const std::uint64_t factor = twos >= 0 ? 2 : 5;
  for (int i = 0; i < std::abs(twos); ++i) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
      const std::uint64_t t = limb * factor + carry;
      limb = static_cast<std::uint32_t>(t % kLimb);
      carry = t / kLimb;
    }
    if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
  }
  while (limbs.size() > 1 && limbs.back() == 0) limbs.pop_back();
  std::string digits = std::to_string(limbs.back());
  for (std::size_t i = limbs.size() - 1; i-- > 0;) {
    char limb[10];
    std::snprintf(limb, sizeof limb, "%09u", limbs[i]);
    digits += limb;
  }
  return digits;
}

TEST(ConvertRealRandom, AgreesWithStrtof) {
  Random random(20240611);
  for (int i = 0; i < 200000; ++i) {
    const std::int64_t count =
        one_in(random, 200) ? uniform(random, 61, 3000) : uniform(random, 1, 60);
    std::string digits = random_digits(random, count);
    // Mostly values around the range of a float; sometimes far outside it,
    // with exponents of any size.
    std::int64_t magnitude = uniform(random, -50, 42);
    if (one_in(random, 20)) magnitude = uniform(random, -7000, 7000);
    if (one_in(random, 50)) magnitude = uniform(random, -1000000000000, 1000000000000);
    if (one_in(random, 100)) digits = std::string(static_cast<std::size_t>(count), '0');
    const Rendered text = render(random, one_in(random, 2), digits, magnitude - count);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(convert_real(text.scanned)), strtof_bits(text.plain))
        << text.scanned << " = " << text.plain;
  }
}

// The midpoint above a float f, written out in full, and texts just below
// and just above it.
TEST(ConvertRealRandom, MidpointsRoundToEven) {
  Random random(77);
  for (int i = 0; i < 100000; ++i) {
    // Random floats, and more near the largest float and near the smallest
    // normals and subnormals.
    std::uint32_t bits = static_cast<std::uint32_t>(uniform(random, 0, 0x7F7FFFFF));
    switch (uniform(random, 0, 3)) {
      case 0: bits = static_cast<std::uint32_t>(uniform(random, 0x7F7FFF00, 0x7F7FFFFF)); break;
      case 1: bits = static_cast<std::uint32_t>(uniform(random, 0x007FFF00, 0x00800100)); break;
      case 2: bits = static_cast<std::uint32_t>(uniform(random, 0, 0x100)); break;
      default: break;
    }
    const std::uint32_t biased = bits >> 23;
    const std::uint64_t significand = (bits & 0x7FFFFF) | (biased != 0 ? 0x800000 : 0);
    // f is significand times 2^(biased - 150) (2^-149 for the subnormals);
    // the midpoint above it is (2 significand + 1) times 2 to one less.
    const int twos = (biased != 0 ? static_cast<int>(biased) : 1) - 151;
    std::string digits = exact_digits(2 * significand + 1, twos);
    std::int64_t power = twos < 0 ? twos : 0;
    std::uint32_t expected = (bits & 1) != 0 ? bits + 1 : bits;
    const std::size_t tail = static_cast<std::size_t>(uniform(random, 0, 200));
    if (one_in(random, 3)) {
      digits += std::string(tail, '0') + "1";
      power -= static_cast<std::int64_t>(tail) + 1;
      expected = bits + 1;
    } else if (one_in(random, 2)) {
      std::size_t last = digits.size() - 1;
      while (digits[last] == '0') digits[last--] = '9';
      --digits[last];
      digits += std::string(tail, '9');
      power -= static_cast<std::int64_t>(tail);
      expected = bits;
    }
    const bool negative = one_in(random, 2);
    const Rendered text = render(random, negative, digits, power);
    const std::uint32_t got = std::bit_cast<std::uint32_t>(convert_real(text.scanned));
    ASSERT_EQ(got, expected | (negative ? 0x80000000u : 0)) << text.scanned;
    if (kStrtofRoundsMidpoints) {
      ASSERT_EQ(got, strtof_bits(text.plain)) << text.plain;
    }
  }
}

}  // namespace
}  // namespace orbcalc
