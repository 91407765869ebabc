#include "console/fields.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace orbcalc {
namespace {

std::string f_field(float value, std::size_t width = 9, int digits = 4) {
  std::string field(width, '?');
  write_f(field, value, digits);
  return field;
}

std::string i_field(std::int32_t value, std::size_t width, std::int64_t min_digits = -1) {
  std::string field(width, '?');
  write_i(field, value, min_digits);
  return field;
}

TEST(FixedField, RendersF94OfTypicalValues) {
  struct Case {
    float value;
    const char* field;
  };
  // clang-format off
  const Case cases[] = {
      {0.3717f, "   0.3717"},     {-0.3717f, "  -0.3717"},   {1.618034f, "   1.6180"},
      {0.0f, "   0.0000"},        {0.00006f, "   0.0001"},   {999.9999f, " 999.9999"},
      {-999.9999f, "-999.9999"},  {12345.6f, "*********"},   {-1000.0f, "*********"},
      {9.99996f, "  10.0000"},    {9999.9f, "9999.9004"},    {-0.37174809f, "  -0.3717"},
      {0.60150075f, "   0.6015"}, {1.4142133f, "   1.4142"}, {-1.4142134f, "  -1.4142"},
      // Values that round to zero keep their minus sign.
      {-0.00001f, "  -0.0000"},   {-0.0f, "  -0.0000"},      {-5.4183431e-9f, "  -0.0000"},
      // Exact halves (odd multiples of 1/32) go to the even neighbour.
      {0.03125f, "   0.0312"},    {0.09375f, "   0.0938"},   {-0.15625f, "  -0.1562"},
      {std::nextafter(0.03125f, 1.0f), "   0.0313"},         {std::nextafter(0.09375f, 0.0f), "   0.0937"},
      // A coefficient's rounding residue, 2^-41 to 2^-40.
      {5e-13f, "   0.0000"},    {-5e-13f, "  -0.0000"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(f_field(c.value), c.field) << c.value;
}

TEST(FixedField, ShowsNonFiniteValuesByName) {
  constexpr float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(f_field(inf), "     +Inf");
  EXPECT_EQ(f_field(-inf), "     -Inf");
  EXPECT_EQ(f_field(std::numeric_limits<float>::quiet_NaN()), "      NaN");
  EXPECT_EQ(f_field(-std::numeric_limits<float>::quiet_NaN()), "      NaN");
  EXPECT_EQ(f_field(inf, 3, 1), "Inf");
  EXPECT_EQ(f_field(-inf, 3, 1), "***");
  EXPECT_EQ(f_field(inf, 2, 1), "**");
}

TEST(FixedField, DropsARedundantLeadingZeroOnlyWhenThatMakesItFit) {
  EXPECT_EQ(f_field(0.5f, 5, 4), ".5000");       // "0.5000" is one too long
  EXPECT_EQ(f_field(-0.5f, 6, 4), "-.5000");     // "-0.5000" likewise
  EXPECT_EQ(f_field(-0.00001f, 5, 4), ".0000");  // "-0.0000" two too long
  EXPECT_EQ(f_field(-0.5f, 5, 4), "*****");
  EXPECT_EQ(f_field(1.5f, 5, 4), "*****");
  EXPECT_EQ(f_field(0.25f, 4, 0), "  0.");
  EXPECT_EQ(f_field(2.5f, 4, 0), "  2.");
  EXPECT_EQ(f_field(0.5f, 0, 0), "");
}

TEST(FixedField, HasExactDigitsOfLargeAndTinyValues) {
  EXPECT_EQ(f_field(std::numeric_limits<float>::max(), 44, 4), "340282346638528859811704183484516925440.0000");
  EXPECT_EQ(f_field(std::numeric_limits<float>::denorm_min(), 9, 4), "   0.0000");
  EXPECT_EQ(f_field(1.0f, 12, 10), "1.0000000000");
  EXPECT_EQ(f_field(1.0f, 9, 40), "*********");
}

// The digits of a wide F field, which never overflows, against to_chars on
// the exact value: every fraction-digit count the integer path takes, the
// values around each binade where it hands over to the general path, ties
// at every digit count, subnormals, and random floats of every magnitude.
TEST(FixedField, DigitsAgreeWithToCharsOnEveryMagnitude) {
  auto expected = [](float value, int digits) {
    char text[64];
    char* end = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::fixed, digits).ptr;
    std::string number(text, end);
    if (digits == 0) number += '.';
    if (std::signbit(value)) number = "-" + number;
    return std::string(60 - number.size(), ' ') + number;
  };
  // clang-format off
  std::vector<float> values = {0.5f, 1.5f, 2.5f, 0.25f, 0.75f, 0.125f, 0.0625f, 0.03125f, 0.84375f,
                               std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min(),
                               8388607.5f, 8388608.0f, 16777215.0f, 16777216.0f, 0.0f, -0.0f};
  // clang-format on
  for (int exponent = -70; exponent <= 26; ++exponent) {
    float power = std::ldexp(1.0f, exponent);
    values.insert(values.end(), {power, std::nextafter(power, 0.0f), std::nextafter(power, 1e30f), power * 1.5f});
  }
  std::uint32_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1664525u + 1013904223u;
    // Exponents from tiny to past 2^24, either sign.
    std::uint32_t bits = (state & 0x807FFFFFu) | ((50u + (state >> 8) % 110u) << 23);
    values.push_back(std::bit_cast<float>(bits));
  }
  for (float value : values) {
    for (int digits = 0; digits <= 10; ++digits) {
      ASSERT_EQ(f_field(value, 60, digits), expected(value, digits)) << value << " F60." << digits;
    }
  }
}

TEST(IntegerField, RightJustifiesOrFillsWithAsterisks) {
  struct Case {
    std::int32_t value;
    std::size_t width;
    const char* field;
  };
  // clang-format off
  const Case cases[] = {
      {5, 2, " 5"},     {12, 2, "12"},     {123, 2, "**"},    {-5, 2, "-5"},
      {-10, 2, "**"},   {100, 2, "**"},    {-9, 2, "-9"},     {30, 4, "  30"},
      {-999, 4, "-999"}, {10000, 4, "****"}, {0, 4, "   0"},  {9999, 4, "9999"},
      {-1000, 4, "****"}, {INT32_MIN, 11, "-2147483648"}, {INT32_MAX, 10, "2147483647"},
      {7, 0, ""},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(i_field(c.value, c.width), c.field) << c.value;
}

TEST(IntegerField, PadsToTheMinimumDigits) {
  EXPECT_EQ(i_field(7, 5, 3), "  007");
  EXPECT_EQ(i_field(-7, 5, 3), " -007");
  EXPECT_EQ(i_field(0, 3, 0), "   ");
  EXPECT_EQ(i_field(-7, 3, 3), "***");
}

TEST(TextField, PadsOnTheLeftOrCutsOnTheRight) {
  std::string wide(6, '?'), narrow(2, '?');
  write_a(wide, "\x81\x43z");
  write_a(narrow, "abc");
  EXPECT_EQ(wide, "   \x81\x43z");
  EXPECT_EQ(narrow, "ab");
}

}  // namespace
}  // namespace orbcalc
