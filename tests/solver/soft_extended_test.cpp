#include "solver/soft_extended.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "solver_test_support.hpp"

namespace orbcalc {
namespace {

using Soft = SoftExtended;

Soft soft(float x) { return Soft(x); }
float two_to(int exponent) { return std::ldexp(1.0f, exponent); }

constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kTiny = std::numeric_limits<float>::denorm_min();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

struct Case {
  const char* name;
  Soft value;
  std::uint32_t bits;
};

void expect_float_bits(const Case& c) {
  EXPECT_EQ(bits_of(static_cast<float>(c.value)), c.bits) << c.name;
}

TEST(SoftExtended, EveryFloatConvertsExactlyBothWays) {
  for (std::uint32_t bits :
       {0x00000000u, 0x80000000u, 0x3F800000u, 0xBFC00000u, 0x7F7FFFFFu,
        0x00800000u, 0x00000001u, 0x807FFFFFu, 0x00012345u, 0x7F800000u,
        0xFF800000u, 0x7FC00001u, 0xFFC12345u}) {
    EXPECT_EQ(bits_of(static_cast<float>(soft(std::bit_cast<float>(bits)))), bits);
  }
  // A signalling NaN comes back quiet with its payload.
  EXPECT_EQ(bits_of(static_cast<float>(soft(std::bit_cast<float>(0x7F800001u)))),
            0x7FC00001u);
}

TEST(SoftExtended, ConvertsToFloatOnceToNearestEven) {
  const float one_up = std::nextafter(1.0f, 2.0f);
  const Case cases[] = {
      {"tie above 1 goes down to even", soft(1) + soft(two_to(-24)), 0x3F800000u},
      {"tie above an odd float goes up", soft(one_up) + soft(two_to(-24)), 0x3F800002u},
      {"above the tie", soft(1) + soft(two_to(-24) + two_to(-40)), 0x3F800001u},
      {"below the tie", soft(1) + soft(two_to(-24)) - soft(two_to(-60)), 0x3F800000u},
      {"tie above the largest float", soft(kMax) + soft(two_to(103)), 0x7F800000u},
      {"below that tie", soft(kMax) + soft(two_to(102)), 0x7F7FFFFFu},
      {"far beyond the range", soft(two_to(127)) * soft(4), 0x7F800000u},
      {"far beyond, negative", soft(-kMax) * soft(2), 0xFF800000u},
      {"half the smallest subnormal", soft(kTiny) * soft(0.5f), 0x00000000u},
      {"minus that", soft(-kTiny) * soft(0.5f), 0x80000000u},
      {"just above that", soft(kTiny) * soft(0.5f + two_to(-20)), 0x00000001u},
      {"1.5 quanta go to 2", soft(kTiny) * soft(1.5f), 0x00000002u},
      {"2.5 quanta go to 2", soft(kTiny) * soft(2.5f), 0x00000002u},
      {"largest subnormal and a half",
       soft(std::bit_cast<float>(0x007FFFFFu)) + soft(kTiny) * soft(0.5f), 0x00800000u},
      {"a subnormal keeps fewer bits", soft(two_to(-130)) * soft(one_up), 0x00080000u},
  };
  for (const Case& c : cases) expect_float_bits(c);
}

TEST(SoftExtended, SpecialValuesFlowThrough) {
  const Soft inf = soft(kInfinity);
  const Soft zero = soft(0.0f);
  const Soft minus_zero = soft(-0.0f);
  const Soft one = soft(1.0f);
  const Soft nan_a = soft(std::bit_cast<float>(0x7FC00001u));
  const Soft nan_b = soft(std::bit_cast<float>(0xFFC00005u));
  // An invalid operation gives the default NaN, which is negative.
  const Case cases[] = {
      {"inf - inf", inf - inf, 0xFFC00000u},
      {"-inf + inf", soft(-kInfinity) + inf, 0xFFC00000u},
      {"0 * inf", zero * inf, 0xFFC00000u},
      {"0 / 0", zero / minus_zero, 0xFFC00000u},
      {"inf / inf", inf / inf, 0xFFC00000u},
      {"sqrt(-1)", sqrt(soft(-1.0f)), 0xFFC00000u},
      {"sqrt(-inf)", sqrt(soft(-kInfinity)), 0xFFC00000u},
      {"1 / 0", one / zero, 0x7F800000u},
      {"1 / -0", one / minus_zero, 0xFF800000u},
      {"-1 / inf", soft(-1.0f) / inf, 0x80000000u},
      {"inf * -2", inf * soft(-2.0f), 0xFF800000u},
      {"inf + 1", inf + one, 0x7F800000u},
      {"sqrt(inf)", sqrt(inf), 0x7F800000u},
      {"sqrt(-0)", sqrt(minus_zero), 0x80000000u},
      {"1 - 1", one - one, 0x00000000u},
      {"-0 + -0", minus_zero + minus_zero, 0x80000000u},
      {"-0 + 0", minus_zero + zero, 0x00000000u},
      {"-0 - 0", minus_zero - zero, 0x80000000u},
      {"-0 * 3", minus_zero * soft(3.0f), 0x80000000u},
      {"NaN + 1", nan_a + one, 0x7FC00001u},
      {"1 - NaN keeps its sign", one - nan_a, 0x7FC00001u},
      {"two NaNs: the larger payload", nan_a * nan_b, 0xFFC00005u},
      {"equal payloads: the positive", soft(-std::bit_cast<float>(0x7FC00001u)) / nan_a,
       0x7FC00001u},
      {"sqrt(NaN)", sqrt(nan_b), 0xFFC00005u},
  };
  for (const Case& c : cases) expect_float_bits(c);
}

TEST(SoftExtended, ExactResultsStayExact) {
  EXPECT_EQ(sqrt(soft(0.25f)), soft(0.5f));
  EXPECT_EQ(sqrt(soft(9.0f)), soft(3.0f));
  EXPECT_EQ(sqrt(soft(two_to(-148))), soft(two_to(-74)));
  EXPECT_EQ(soft(6.0f) / soft(-4.0f), soft(-1.5f));
}

TEST(SoftExtended, ComparesLikeNumbers) {
  const Soft nan = soft(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(soft(0.0f), soft(-0.0f));
  EXPECT_FALSE(nan == nan);
  EXPECT_EQ(nan <=> soft(1.0f), std::partial_ordering::unordered);
  const float ascending[] = {-kInfinity, -kMax, -1.0f, -kTiny, 0.0f,
                             kTiny,      1.0f,  std::nextafter(1.0f, 2.0f),
                             kMax,       kInfinity};
  for (std::size_t i = 0; i + 1 < std::size(ascending); ++i) {
    EXPECT_LT(soft(ascending[i]), soft(ascending[i + 1])) << i;
    EXPECT_GT(soft(ascending[i + 1]), soft(ascending[i])) << i;
  }
  EXPECT_GT(soft(1.0f) + soft(two_to(-63)), soft(1.0f));
}

}  // namespace
}  // namespace orbcalc
