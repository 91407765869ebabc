// SoftExtended and its 128-bit helper: the rounding, the special values and
// the shifts, which every host checks, and, where the hardware has the
// extended format, every result against the hardware's on many random
// operands.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <tuple>

#include "solver/soft_extended.hpp"
#include "solver/uint128.hpp"
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

TEST(SoftExtended, SpecialValuesAndRoundingToFloat) {
  const Soft inf = soft(kInfinity), zero = soft(0.0f), minus_zero = soft(-0.0f), one = soft(1.0f);
  const Soft nan_a = soft(std::bit_cast<float>(0x7FC00001u)), nan_b = soft(std::bit_cast<float>(0xFFC00005u));
  // An invalid operation gives the default NaN, which is negative.
  // clang-format off
  const Case cases[] = {
      {"inf - inf", inf - inf, 0xFFC00000u},        {"-inf + inf", soft(-kInfinity) + inf, 0xFFC00000u},
      {"0 * inf", zero * inf, 0xFFC00000u},         {"0 / 0", zero / minus_zero, 0xFFC00000u},
      {"inf / inf", inf / inf, 0xFFC00000u},        {"sqrt(-1)", sqrt(soft(-1.0f)), 0xFFC00000u},
      {"sqrt(-inf)", sqrt(soft(-kInfinity)), 0xFFC00000u}, {"1 / 0", one / zero, 0x7F800000u},
      {"1 / -0", one / minus_zero, 0xFF800000u},    {"-1 / inf", soft(-1.0f) / inf, 0x80000000u},
      {"inf * -2", inf * soft(-2.0f), 0xFF800000u}, {"inf + 1", inf + one, 0x7F800000u},
      {"sqrt(inf)", sqrt(inf), 0x7F800000u},        {"sqrt(-0)", sqrt(minus_zero), 0x80000000u},
      {"1 - 1", one - one, 0x00000000u},            {"-0 + -0", minus_zero + minus_zero, 0x80000000u},
      {"-0 + 0", minus_zero + zero, 0x00000000u},   {"-0 - 0", minus_zero - zero, 0x80000000u},
      {"-0 * 3", minus_zero * soft(3.0f), 0x80000000u}, {"NaN + 1", nan_a + one, 0x7FC00001u},
      {"1 - NaN keeps its sign", one - nan_a, 0x7FC00001u},
      {"two NaNs: the larger payload", nan_a * nan_b, 0xFFC00005u},
      {"equal payloads: the positive", soft(-std::bit_cast<float>(0x7FC00001u)) / nan_a, 0x7FC00001u},
      {"sqrt(NaN)", sqrt(nan_b), 0xFFC00005u},
      // Rounding to float happens once, ties to even, subnormals included.
      {"tie above 1 goes down to even", soft(1) + soft(two_to(-24)), 0x3F800000u},
      {"below the tie", soft(1) + soft(two_to(-24)) - soft(two_to(-60)), 0x3F800000u},
      {"above it by the last bit", soft(1) + soft(two_to(-24)) + soft(two_to(-63)), 0x3F800001u},
      {"tie above the largest float", soft(kMax) + soft(two_to(103)), 0x7F800000u},
      {"2.5 quanta go to 2", soft(kTiny) * soft(2.5f), 0x00000002u},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(bits_of(static_cast<float>(c.value)), c.bits) << c.name;
}

// The lowest bit of a right shift says whether any bit was lost; a left
// shift drops what passes the top. At and around the word edges.
TEST(Uint128, ShiftsAndLeadingZerosAtWordEdges) {
  constexpr std::uint64_t kTop = Soft::kTopBit, kNext = kTop >> 1;
  // A word pair, a shift (right, or left where negative) and its result.
  // clang-format off
  const std::tuple<Uint128, int, Uint128> cases[] = {
      {{5, 7}, 0, {5, 7}},                {{1, 4}, 1, {0, kTop | 2}},          {{1, 5}, 1, {0, kTop | 3}},
      {{3, kTop}, 63, {0, 7}},            {{2, 1}, 63, {0, 5}},                {{kTop | 2, 0}, 64, {0, kTop | 2}},
      {{kTop | 2, 1}, 64, {0, kTop | 3}}, {{kTop | 4, 0}, 65, {0, kNext | 2}},  {{kTop | 5, 0}, 65, {0, kNext | 3}},
      {{kTop | 4, 1}, 65, {0, kNext | 3}}, {{kTop, 0}, 127, {0, 1}},           {{1, 0}, 127, {0, 1}},
      {{0, kTop}, 127, {0, 1}},           {{kTop, 0}, 128, {0, 1}},            {{0, 0}, 128, {0, 0}},
      {{0, 1}, 200, {0, 1}},             {{kNext, kTop | 1}, -1, {kTop | 1, 2}}, {{1, 3}, -63, {kTop | 1, kTop}},
      {{7, 0x1234}, -64, {0x1234, 0}},    {{0, kTop | 1}, -65, {2, 0}},        {{0, 3}, -127, {kTop, 0}},
  };
  // clang-format on
  const auto words = [](const Uint128& x) { return std::pair{x.hi, x.lo}; };
  for (const auto& [in, n, out] : cases) {
    EXPECT_EQ(words(n < 0 ? in.shifted_left(-n) : in.shifted_right_jamming(n)), words(out)) << n;
  }
  const std::pair<Uint128, int> leading_zeros[] = {{{0, 0}, 128}, {{0, 1}, 127}, {{0, kTop}, 64}, {{1, 0}, 63}};
  for (const auto& [x, zeros] : leading_zeros) EXPECT_EQ(x.countl_zero(), zeros) << x.lo;
}

// The fields of the 80-bit extended encoding.
struct Encoding {
  std::uint16_t sign_exponent;
  std::uint64_t significand;
  friend bool operator==(const Encoding&, const Encoding&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Encoding& e) {
    return out << std::hex << e.sign_exponent << ':' << e.significand << std::dec;
  }
};

// The x86 layout: significand in the low eight bytes, then sign and
// exponent. Only read where long double is that format.
Encoding encoding_of(long double x) {
  Encoding e;
  std::memcpy(&e.significand, &x, sizeof e.significand);
  std::memcpy(&e.sign_exponent, reinterpret_cast<const char*>(&x) + 8, sizeof e.sign_exponent);
  return e;
}

Encoding encoding_of(const Soft& x) {
  const int sign = x.negative() ? 0x8000 : 0;
  switch (x.kind()) {
    case Soft::Kind::kZero: return {static_cast<std::uint16_t>(sign), 0};
    case Soft::Kind::kFinite: return {static_cast<std::uint16_t>(sign | (x.exponent() + 16383)), x.significand()};
    case Soft::Kind::kInfinity: return {static_cast<std::uint16_t>(sign | 0x7FFF), Soft::kTopBit};
    case Soft::Kind::kNaN: break;
  }
  return {static_cast<std::uint16_t>(sign | 0x7FFF), x.significand()};
}

// Any float: now and then a zero, an infinity or a quiet NaN; exponents
// mostly near one another so that sums overlap; often few significant bits,
// so that exact ties turn up. No signalling NaNs: the hardware quiets one
// only when the compiler happens to load it before the operation, so which
// NaN wins against it depends on the generated code.
float random_float(std::mt19937_64& gen) {
  const std::uint32_t sign = (gen() & 1) != 0 ? 0x80000000u : 0u;
  const auto pick = [&gen](std::uint32_t n) { return static_cast<std::uint32_t>(gen() % n); };
  switch (pick(40)) {
    case 0: return std::bit_cast<float>(sign);
    case 1: return std::bit_cast<float>(sign | 0x7F800000u);
    case 2: return std::bit_cast<float>(sign | 0x7FC00000u | pick(0x400000));
    default: break;
  }
  const std::uint32_t biased = pick(2) == 0 ? 87 + pick(81) : pick(255);
  const std::uint32_t dropped_bits = pick(24);
  const std::uint32_t fraction = static_cast<std::uint32_t>(gen()) & 0x7FFFFFu & ~((1u << dropped_bits) - 1);
  return std::bit_cast<float>(sign | (biased << 23) | fraction);
}

// Operations 0 to 3 are +, -, * and /; any other is the square root of x.
template <class T>
T apply(int operation, const T& x, const T& y) {
  using std::sqrt;
  switch (operation) {
    case 0: return x + y;
    case 1: return x - y;
    case 2: return x * y;
    case 3: return x / y;
    default: return T(sqrt(x));
  }
}

TEST(SoftExtendedCrossCheck, MatchesHardwareBitForBit) {
  if (!kLongDoubleIsExtended) GTEST_SKIP() << "no hardware extended format";
  std::mt19937_64 gen(0x0C0FFEE5EEDull);
  for (int round = 0; round < 40000; ++round) {
    // First results from floats, then results from those 64-bit values.
    const float a = random_float(gen), b = random_float(gen), c = random_float(gen), d = random_float(gen);
    const int first = static_cast<int>(gen() % 4), second = static_cast<int>(gen() % 4);
    const long double hx = apply<long double>(first, a, b);
    const long double hy = apply<long double>(second, c, d);
    const Soft sx = apply(first, Soft(a), Soft(b));
    const Soft sy = apply(second, Soft(c), Soft(d));
    SCOPED_TRACE(::testing::Message() << "round " << round << ": " << bits_of(a) << ' ' << bits_of(b) << ' '
                                      << bits_of(c) << ' ' << bits_of(d));

    ASSERT_EQ(encoding_of(sx), encoding_of(hx));
    ASSERT_EQ(encoding_of(sy), encoding_of(hy));
    for (int operation = 0; operation < 5; ++operation) {
      ASSERT_EQ(encoding_of(apply(operation, sx, sy)), encoding_of(apply(operation, hx, hy))) << operation;
    }
    ASSERT_EQ(bits_of(static_cast<float>(sx)), bits_of(static_cast<float>(hx)));
    ASSERT_EQ(sx <=> sy, hx <=> hy);
  }
}

// Results that land on a tie, or beside one with only the lowest bits
// (jammed by an alignment, below a product's or a quotient's rounding bit,
// the root's remainder) to tell: against their known values on every host,
// and against the hardware where it has the format.
TEST(SoftExtendedCrossCheck, TiesAndWhatBreaksThem) {
  enum Op { kAdd, kSub, kMul, kDiv, kSqrt };  // as apply numbers them
  using Terms = std::array<float, 3>;         // a value as an exact sum of floats
  // clang-format off
  const std::tuple<Op, Terms, Terms, Terms> cases[] = {
      {kAdd, {1}, {0x1p-64f}, {1}},                         {kAdd, {1, 0x1p-63f}, {0x1p-64f}, {1, 0x1p-62f}},
      {kAdd, {1}, {0x1p-64f, 0x1p-127f}, {1, 0x1p-63f}},    {kAdd, {2, -0x1p-63f}, {0x1p-62f}, {2}},
      {kSub, {1}, {0x1p-65f}, {1}},                         {kSub, {1}, {0x1p-65f, 0x1p-128f}, {1, -0x1p-64f}},
      {kMul, {1, 0x1p-32f}, {1, 0x1p-32f}, {1, 0x1p-31f}},  {kMul, {1.5f, 0x1p-63f}, {1, 0x1p-63f}, {1.5f, 0x3p-63f}},
      {kDiv, {1}, {1, -0x1p-64f}, {1, 0x1p-63f}},           {kDiv, {2, -0x1p-63f}, {1, -0x1p-63f}, {2, 0x1p-62f}},
      {kSqrt, {1, 0x1p-63f}, {}, {1}},                      {kSqrt, {4, -0x1p-62f}, {}, {2, -0x1p-63f}},
  };
  // clang-format on
  const auto sum = []<class T>(T, const Terms& t) { return T(t[0]) + T(t[1]) + T(t[2]); };
  for (const auto& [op, x, y, expected] : cases) {
    const Encoding soft_result = encoding_of(apply(op, sum(Soft(), x), sum(Soft(), y)));
    EXPECT_EQ(soft_result, encoding_of(sum(Soft(), expected))) << op << ' ' << x[1] << ' ' << y[0] << ' ' << y[1];
    EXPECT_TRUE(!kLongDoubleIsExtended || soft_result == encoding_of(apply(op, sum(0.0L, x), sum(0.0L, y))))
        << "the hardware differs from " << soft_result;
  }
}

}  // namespace
}  // namespace orbcalc
