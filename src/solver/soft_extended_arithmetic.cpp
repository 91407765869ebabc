// The arithmetic of SoftExtended: each operation forms its exact result (or
// enough of it, with the bits below jammed into one) in 128 bits and rounds
// once to 64.
#include "solver/soft_extended.hpp"
#include "solver/uint128.hpp"

namespace orbcalc {

namespace {

using Kind = SoftExtended::Kind;

constexpr std::uint64_t kTopBit = SoftExtended::kTopBit;

struct Magnitude {
  int exponent;
  std::uint64_t significand;
};

// `wide` has its top bit set and stands for wide * 2^(exponent - 127); any
// bits lost before were jammed into its lowest bit. Rounds to 64 bits, to
// nearest with ties to even.
Magnitude round_wide(Uint128 wide, int exponent) {
  std::uint64_t significand = wide.hi;
  const bool round_bit = (wide.lo >> 63) != 0;
  const bool below_round_bit = (wide.lo << 1) != 0;
  if (round_bit && (below_round_bit || (significand & 1) != 0)) {
    ++significand;
    if (significand == 0) {  // carried out of the top: 1.111... became 10.0
      significand = kTopBit;
      ++exponent;
    }
  }
  return {exponent, significand};
}

Magnitude normalize_and_round(Uint128 wide, int exponent) {
  const int shift = wide.countl_zero();
  return round_wide(wide.shifted_left(shift), exponent - shift);
}

bool magnitude_at_least(const SoftExtended& a, const SoftExtended& b) {
  if (a.exponent() != b.exponent()) return a.exponent() > b.exponent();
  return a.significand() >= b.significand();
}

}  // namespace

SoftExtended SoftExtended::add_signed(const SoftExtended& a, const SoftExtended& b_in, bool negate_b) {
  SoftExtended b = b_in;
  if (negate_b && b.kind_ != Kind::kNaN) b.negative_ = !b.negative_;
  if (a.kind_ == Kind::kNaN || b.kind_ == Kind::kNaN) return nan_result(a, b);
  if (a.kind_ == Kind::kInfinity) {
    if (b.kind_ == Kind::kInfinity && b.negative_ != a.negative_) {
      return default_nan();
    }
    return a;
  }
  if (b.kind_ == Kind::kInfinity) return b;
  if (a.kind_ == Kind::kZero) {
    // Zeros of opposite signs sum to +0 when rounding to nearest.
    return b.kind_ == Kind::kZero ? zero(a.negative_ && b.negative_) : b;
  }
  if (b.kind_ == Kind::kZero) return a;

  const bool a_larger = magnitude_at_least(a, b);
  const SoftExtended& larger = a_larger ? a : b;
  const SoftExtended& smaller = a_larger ? b : a;
  const Uint128 wide{larger.significand_, 0};
  const Uint128 aligned = Uint128{smaller.significand_, 0}.shifted_right_jamming(larger.exponent_ - smaller.exponent_);
  if (a.negative_ == b.negative_) {
    Uint128 sum = wide + aligned;
    int exponent = larger.exponent_;
    if (sum < wide) {  // carried out of 128 bits: shift the carry back in
      sum = sum.shifted_right_jamming(1);
      sum.hi |= kTopBit;
      ++exponent;
    }
    const Magnitude m = round_wide(sum, exponent);
    return finite(larger.negative_, m.exponent, m.significand);
  }
  // A large cancellation happens only when the exponents differ by at most
  // one; then nothing was jammed and the difference is exact.
  const Uint128 difference = wide - aligned;
  if (difference.is_zero()) return zero(false);
  const Magnitude m = normalize_and_round(difference, larger.exponent_);
  return finite(larger.negative_, m.exponent, m.significand);
}

SoftExtended operator+(const SoftExtended& a, const SoftExtended& b) { return SoftExtended::add_signed(a, b, false); }

SoftExtended operator-(const SoftExtended& a, const SoftExtended& b) { return SoftExtended::add_signed(a, b, true); }

SoftExtended operator*(const SoftExtended& a, const SoftExtended& b) {
  using Ext = SoftExtended;
  if (a.kind_ == Kind::kNaN || b.kind_ == Kind::kNaN) return Ext::nan_result(a, b);
  const bool negative = a.negative_ != b.negative_;
  if (a.kind_ == Kind::kInfinity || b.kind_ == Kind::kInfinity) {
    if (a.kind_ == Kind::kZero || b.kind_ == Kind::kZero) return Ext::default_nan();
    return Ext::infinity(negative);
  }
  if (a.kind_ == Kind::kZero || b.kind_ == Kind::kZero) return Ext::zero(negative);
  // The exact product of the significands lies in [2^126, 2^128).
  const Uint128 product = multiply_wide(a.significand_, b.significand_);
  const Magnitude m = normalize_and_round(product, a.exponent_ + b.exponent_ + 1);
  return Ext::finite(negative, m.exponent, m.significand);
}

SoftExtended operator/(const SoftExtended& a, const SoftExtended& b) {
  using Ext = SoftExtended;
  if (a.kind_ == Kind::kNaN || b.kind_ == Kind::kNaN) return Ext::nan_result(a, b);
  const bool negative = a.negative_ != b.negative_;
  if (a.kind_ == Kind::kInfinity) {
    return b.kind_ == Kind::kInfinity ? Ext::default_nan() : Ext::infinity(negative);
  }
  if (b.kind_ == Kind::kInfinity) return Ext::zero(negative);
  if (b.kind_ == Kind::kZero) {
    return a.kind_ == Kind::kZero ? Ext::default_nan() : Ext::infinity(negative);
  }
  if (a.kind_ == Kind::kZero) return Ext::zero(negative);

  // Long division, one quotient bit at a time: 66 bits of
  // a.significand * 2^65 / b.significand, enough for 64 bits and the
  // rounding bit whether or not the first bit is 0; the remainder says
  // whether anything lies below.
  const std::uint64_t divisor = b.significand_;
  std::uint64_t remainder = a.significand_;
  Uint128 quotient;
  for (int i = 0; i < 66; ++i) {
    bool bit = remainder >= divisor;
    if (i > 0) {
      // remainder < divisor < 2^64, so twice it needs at most 65 bits; with
      // the 65th set it certainly exceeds the divisor, and the wrapped
      // subtraction below is still exact.
      const bool carried = (remainder >> 63) != 0;
      remainder <<= 1;
      bit = carried || remainder >= divisor;
    }
    if (bit) remainder -= divisor;
    quotient = quotient.shifted_left(1);
    quotient.lo |= bit ? 1u : 0u;
  }
  const int shift = quotient.countl_zero();
  Uint128 wide = quotient.shifted_left(shift);
  wide.lo |= remainder != 0 ? 1u : 0u;
  const Magnitude m = round_wide(wide, a.exponent_ - b.exponent_ + 62 - shift);
  return Ext::finite(negative, m.exponent, m.significand);
}

SoftExtended sqrt(const SoftExtended& a) {
  using Ext = SoftExtended;
  if (a.kind_ == Kind::kNaN || a.kind_ == Kind::kZero) return a;  // sqrt(-0) is -0
  if (a.negative_) return Ext::default_nan();
  if (a.kind_ == Kind::kInfinity) return a;

  // The radicand as a 128-bit integer R with an even power of two beside
  // it: a = R * 2^(2 * half_power), R in [2^126, 2^128), so that the
  // integer root of R has exactly 64 bits.
  const int power = a.exponent_ - 63;
  const bool odd = (power & 1) != 0;
  const Uint128 radicand = odd ? Uint128{a.significand_ >> 1, a.significand_ << 63} : Uint128{a.significand_, 0};
  const int half_power = (power - (odd ? 63 : 64)) / 2;

  // Digit by digit, two radicand bits per root bit; remainder = R' - root^2
  // for the leading bits R' taken so far, and it stays below 2^67.
  std::uint64_t root = 0;
  Uint128 remainder;
  for (int i = 0; i < 64; ++i) {
    const int bit_position = 126 - 2 * i;
    const std::uint64_t next_bits =
        (bit_position >= 64 ? radicand.hi >> (bit_position - 64) : radicand.lo >> bit_position) & 3u;
    remainder = remainder.shifted_left(2) + Uint128{0, next_bits};
    const Uint128 trial = Uint128{0, root}.shifted_left(2) + Uint128{0, 1};
    root <<= 1;
    if (remainder >= trial) {
      remainder = remainder - trial;
      root |= 1;
    }
  }
  // The exact root is never a midpoint: (root + 1/2)^2 is not an integer.
  // It lies above root + 1/2 exactly when R - root^2 > root.
  int exponent = half_power + 63;
  if (remainder > Uint128{0, root}) {
    ++root;
    if (root == 0) {
      root = kTopBit;
      ++exponent;
    }
  }
  return Ext::finite(false, exponent, root);
}

}  // namespace orbcalc
