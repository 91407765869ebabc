// A software floating-point type with a 64-bit significand and correctly
// rounded +, -, *, / and sqrt (round to nearest, ties to even), so that the
// solver gives the same bits on hosts without such a hardware format.
#pragma once

#include <compare>
#include <cstdint>

namespace orbcalc {

// The value of a finite non-zero number is significand * 2^(exponent - 63)
// with the top bit of the significand set. The exponent is a plain int: the
// solver builds every value from floats with a handful of operations, so
// exponents stay within a few thousand of zero. Nothing ever comes near the
// edges of the range, so the type has no overflow, underflow or subnormals
// of its own; those happen only in the conversion to float.
//
// NaNs keep a sign and a payload and follow the rules of the x87 unit: an
// operation with one NaN operand returns that NaN, with two the one with the
// larger payload, and an invalid operation the default NaN, which is
// negative. All NaNs are quiet.
class SoftExtended {
 public:
  // In the order of magnitude, NaN aside.
  enum class Kind : std::uint8_t { kZero, kFinite, kInfinity, kNaN };

  // Set in the significand of every finite value and every NaN.
  static constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;

  // Positive zero.
  SoftExtended() = default;
  // Exact: every float has a 64-bit-significand value.
  explicit SoftExtended(float value);

  // Rounds once, to nearest with ties to even; values below the normal
  // range become subnormal or zero, values beyond it infinity.
  explicit operator float() const;

  Kind kind() const { return kind_; }
  bool negative() const { return negative_; }
  // Meaningful for finite values (and, for the significand, NaN payloads).
  int exponent() const { return exponent_; }
  std::uint64_t significand() const { return significand_; }

  friend SoftExtended operator+(const SoftExtended& a, const SoftExtended& b);
  friend SoftExtended operator-(const SoftExtended& a, const SoftExtended& b);
  friend SoftExtended operator*(const SoftExtended& a, const SoftExtended& b);
  friend SoftExtended operator/(const SoftExtended& a, const SoftExtended& b);
  friend SoftExtended sqrt(const SoftExtended& a);

  // Zeros of either sign are equal; a NaN is unordered with everything.
  friend bool operator==(const SoftExtended& a, const SoftExtended& b);
  friend std::partial_ordering operator<=>(const SoftExtended& a, const SoftExtended& b);

 private:
  SoftExtended(Kind kind, bool negative, int exponent, std::uint64_t significand)
      : kind_(kind), negative_(negative), exponent_(exponent), significand_(significand) {}

  static SoftExtended zero(bool negative);
  static SoftExtended infinity(bool negative);
  static SoftExtended default_nan();
  static SoftExtended finite(bool negative, int exponent, std::uint64_t significand);
  static SoftExtended nan_result(const SoftExtended& a, const SoftExtended& b);
  static SoftExtended add_signed(const SoftExtended& a, const SoftExtended& b, bool negate_b);

  Kind kind_ = Kind::kZero;
  bool negative_ = false;
  int exponent_ = 0;
  std::uint64_t significand_ = 0;
};

}  // namespace orbcalc
