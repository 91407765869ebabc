#include "console/real_convert.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orbcalc {
namespace {

struct Case {
  std::string scanned;
  std::uint32_t bits;
};

void expect_bits(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(convert_real(c.scanned)), c.bits)
        << c.scanned.substr(0, 80) << " (" << c.scanned.size() << " chars)";
  }
}

std::string repeated(char c, std::size_t n) { return std::string(n, c); }

std::string cat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text += part;
  return text;
}

// The digits of the exact midpoint between 0 and the smallest subnormal,
// 2^-150, and of three times it, the midpoint between the two smallest
// subnormals; both are those digits times 10^-150.
constexpr std::string_view kTwoToMinus150 =
    "700649232162408535461864791644958065640130970938257885878534141944895541342930300743319"
    "094181060791015625";
constexpr std::string_view kThreeTimesTwoToMinus150 =
    "210194769648722560638559437493487419692039291281477365763560242583468662402879090222995"
    "7282543182373046875";
// The largest float, and the midpoint between it and 2^128.
constexpr std::string_view kFltMax = "340282346638528859811704183484516925440";
constexpr std::string_view kAboveFltMax = "340282356779733661637539395458142568448";

TEST(ConvertReal, ReadsEveryScannedForm) {
  expect_bits({
      {"1", 0x3F800000},
      {"1.", 0x3F800000},
      {".5", 0x3F000000},
      {"1e+3", 0x447A0000},
      {"1.5e-3", 0x3AC49BA6},
      {"+.5e+1", 0x40A00000},
      {"-2.5", 0xC0200000},
      {"000123.4500e+0000000000000000000000012", 0x56E08DE3},
      {"0.1", 0x3DCCCCCD},
      {"-0.1", 0xBDCCCCCD},
  });
}

TEST(ConvertReal, TiesGoToTheEvenNeighbour) {
  expect_bits({
      {"16777217", 0x4B800000},
      {"16777219", 0x4B800002},
      {"16777217.0", 0x4B800000},
      {"1677721.7e+1", 0x4B800000},
      // Anything beyond the midpoint, however far down, decides.
      {cat({"16777217.", repeated('0', 300), "1"}), 0x4B800001},
      {cat({"16777216.", repeated('9', 300)}), 0x4B800000},
      {cat({"16777218.", repeated('9', 300)}), 0x4B800001},
      {cat({kTwoToMinus150, "e-150"}), 0x00000000},
      {cat({kTwoToMinus150, "0000001e-157"}), 0x00000001},
      {cat({"-0.", repeated('0', 45), kTwoToMinus150, "9"}), 0x80000001},
      {cat({kThreeTimesTwoToMinus150, "e-150"}), 0x00000002},
      {std::string(kAboveFltMax), 0x7F800000},
  });
}

TEST(ConvertReal, OverflowGivesInfinityOfTheSign) {
  expect_bits({
      {"1e+39", 0x7F800000},
      {"-1e+39", 0xFF800000},
      {"1e+99999", 0x7F800000},
      {"-1e+99999", 0xFF800000},
      {std::string(kFltMax), 0x7F7FFFFF},
      {"3.4028235e+38", 0x7F7FFFFF},
      {"340282356779733661637539395458142568447.999", 0x7F7FFFFF},
      {cat({"-", kAboveFltMax}), 0xFF800000},
  });
}

TEST(ConvertReal, UnderflowIsGradual) {
  expect_bits({
      {"1e-46", 0x00000000},
      {"-1e-46", 0x80000000},
      {"7.1e-46", 0x00000001},
      {"-7.1e-46", 0x80000001},
      {"1e-40", 0x000116C2},
      {"1.17549435e-38", 0x00800000},
      {"1e-99999", 0x00000000},
      {"-1e-99999", 0x80000000},
  });
}

TEST(ConvertReal, MantissaWithoutDigitsIsZeroOfTheSign) {
  expect_bits({
      {"-", 0x80000000},
      {"+", 0x00000000},
      {".", 0x00000000},
      {"-.", 0x80000000},
      {"+.", 0x00000000},
      {"-e+5", 0x80000000},
      {".e-7", 0x00000000},
  });
}

// However large the exponent, a mantissa of zeros stays a zero.
TEST(ConvertReal, TypedZeroStaysZero) {
  expect_bits({
      {"0e+6000", 0x00000000},
      {"0.0e+5000", 0x00000000},
      {"-0e+5001", 0x80000000},
      {"-0e-6000", 0x80000000},
      {"000.000e+99999999999999999999", 0x00000000},
      {cat({repeated('0', 10000), ".", repeated('0', 10000), "e+9000"}), 0x00000000},
  });
}

// Only the first 19 or 20 digits are gathered exactly; later ones move the
// decimal exponent, which decides on its own beyond five thousand.
TEST(ConvertReal, LongMantissasAndTheExponentLimits) {
  expect_bits({
      // 5001 digits: K is 4981, and the value overflows when rounded.
      {cat({"1", repeated('0', 5000)}), 0x7F800000},
      {cat({"1", repeated('0', 5040)}), 0x7F800000},
      // Digits after the period, zeros included, scale the value down.
      {cat({".", repeated('0', 5999), "1"}), 0x00000000},
      {cat({"-.", repeated('0', 5999), "1"}), 0x80000000},
      {cat({".", repeated('0', 5999), "1e+6000"}), 0x3F800000},
      {cat({".", repeated('0', 5999), "1e+5999"}), 0x3DCCCCCD},
      // An exponent brings a long mantissa back into range.
      {cat({"1", repeated('0', 6000), "e-5981"}), 0x5F0AC723},
      {cat({"1", repeated('0', 5020), ".", repeated('0', 3000), "e-5020"}), 0x3F800000},
      {cat({repeated('9', 10000), "e-9999"}), 0x41200000},
      {cat({"0.", repeated('3', 5000)}), 0x3EAAAAAB},
  });
}

// Neither the length of the mantissa nor that of the exponent changes the
// value: a huge exponent against a mantissa just as long cancels out.
TEST(ConvertReal, ExtremeTextsKeepTheirValue) {
  const std::size_t n = 2000000;
  const std::string exponent = std::to_string(n);
  const std::string exponent_plus_one = std::to_string(n + 1);
  expect_bits({
      {cat({"1", repeated('0', n), "e-", exponent}), 0x3F800000},
      {cat({"-.", repeated('0', n), "1e+", exponent_plus_one}), 0xBF800000},
      {cat({repeated('9', n), "e-", exponent}), 0x3F800000},
      {cat({"1e+", repeated('0', n), "7"}), 0x4B189680},
      {"1e+99999999999999999999999999", 0x7F800000},
      {"-1e-99999999999999999999999999", 0x80000000},
      {cat({"0.", repeated('3', 20000000), "e+0"}), 0x3EAAAAAB},
  });
}

}  // namespace
}  // namespace orbcalc
