// Randomised: real values typed in every form the reader accepts must read
// as glibc's strtof reads the same number written in plain C syntax.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "console/statement.hpp"
#include "support/console_harness.hpp"

namespace orbcalc {
namespace {

struct Text {
  std::string typed;  // as a user may type it
  std::string plain;  // the same number for strtof
};

// Digits with a period somewhere, an exponent in one of the typed forms.
Text random_number(std::mt19937_64& rng) {
  auto below = [&](std::uint64_t n) { return static_cast<int>(rng() % n); };
  int length = below(10) == 0 ? 30 + below(40) : 1 + below(20);
  int period_at = below(3) != 0 ? below(length + 1) : -1;
  std::string mantissa;
  for (int i = 0; i <= length; ++i) {
    if (i == period_at) mantissa += '.';
    if (i < length) mantissa += static_cast<char>('0' + below(10));
  }
  std::string sign = below(3) == 0 ? "-" : (below(4) == 0 ? "+" : "");
  int exponent = below(90) - 45 - (length > 20 ? length / 2 : 0);
  std::string exponent_digits = std::to_string(std::abs(exponent));
  if (below(5) == 0) exponent_digits.insert(0, 2, '0');
  std::string exponent_sign = exponent < 0 ? "-" : "+";

  Text text{sign + mantissa, sign + mantissa + "e" + exponent_sign + exponent_digits};
  switch (below(6)) {
    case 0: text.plain = sign + mantissa; break;  // no exponent
    case 1: text.typed += "E" + exponent_sign + exponent_digits; break;
    case 2: text.typed += "d" + exponent_sign + exponent_digits; break;
    case 3: text.typed += (exponent < 0 ? "D-" : "D") + exponent_digits; break;
    case 4: text.typed += (exponent < 0 ? "e-" : "e") + exponent_digits; break;
    default: text.typed += exponent_sign + exponent_digits; break;  // 1.5-3
  }
  return text;
}

// The exact point halfway between two neighbouring floats, written out in
// full, so that only a correctly rounded conversion ties to even.
Text random_halfway(std::mt19937_64& rng) {
  std::uint32_t bits = static_cast<std::uint32_t>(rng()) & 0x7F7FFFFEu;
  double low = std::bit_cast<float>(bits);
  double high = std::bit_cast<float>(bits + 1);
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%.140e", (low + high) / 2);
  std::string plain = buffer;
  std::string typed = plain;
  typed[typed.find('e')] = (rng() % 2 == 0) ? 'D' : 'E';
  return {typed, plain};
}

TEST(RealReadRandom, AgreesWithStrtofOnEveryTypedForm) {
  std::mt19937_64 rng(20261206);
  constexpr int kValues = 200000;
  std::vector<Text> texts;
  std::string input;
  for (int i = 0; i < kValues; ++i) {
    texts.push_back(i % 4 == 0 ? random_halfway(rng) : random_number(rng));
    input += "1 2 " + texts.back().typed + "\n";
  }
  std::vector<float> values(kValues);
  testing::RunResult result = testing::run_console(input, [&] {
    std::int32_t i = 0, j = 0;
    for (float& x : values) read_statement(81, i, j, x);
  });
  ASSERT_EQ(result.status, -1) << result.errors;
  for (int i = 0; i < kValues; ++i) {
    const Text& text = texts[static_cast<std::size_t>(i)];
    float expected = std::strtof(text.plain.c_str(), nullptr);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(values[static_cast<std::size_t>(i)]),
              std::bit_cast<std::uint32_t>(expected))
        << text.typed << " read against " << text.plain;
  }
}

}  // namespace
}  // namespace orbcalc
