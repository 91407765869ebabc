// SoftExtended from and to float, its special values and its order.
#include "solver/soft_extended.hpp"

#include <algorithm>
#include <bit>

namespace orbcalc {

namespace {

using Kind = SoftExtended::Kind;

// The quiet bit of a NaN payload, just below the explicit integer bit.
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;
// A float's fraction sits this far up in the 64-bit significand.
constexpr int kFloatFractionShift = 40;
constexpr int kFloatFractionBits = 23;
constexpr int kFloatExponentBias = 127;
constexpr int kFloatMaxBiasedExponent = 0xFF;
// Exponent of the last place of the smallest subnormal float.
constexpr int kFloatMinQuantum = -149;

// x / 2^n rounded to nearest with ties to even, for n >= 1 and x < 2^64.
std::uint64_t shift_right_rounding(std::uint64_t x, int n) {
  if (n > 64) return 0;  // below half of the last place
  const std::uint64_t kept = n == 64 ? 0 : x >> n;
  const std::uint64_t dropped = n == 64 ? x : x & ((std::uint64_t{1} << n) - 1);
  const std::uint64_t half = std::uint64_t{1} << (n - 1);
  const bool up = dropped > half || (dropped == half && (kept & 1) != 0);
  return kept + (up ? 1u : 0u);
}

}  // namespace

SoftExtended::SoftExtended(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  negative_ = (bits >> 31) != 0;
  const int biased = static_cast<int>((bits >> kFloatFractionBits) & 0xFFu);
  const std::uint64_t fraction = bits & 0x7FFFFFu;
  if (biased == kFloatMaxBiasedExponent) {
    if (fraction == 0) {
      kind_ = Kind::kInfinity;
    } else {
      // Loading a signalling NaN quiets it, as the hardware does.
      kind_ = Kind::kNaN;
      significand_ = kTopBit | kQuietBit | (fraction << kFloatFractionShift);
    }
  } else if (biased == 0) {
    if (fraction != 0) {  // subnormal: normalise it
      const int shift = std::countl_zero(fraction);
      kind_ = Kind::kFinite;
      exponent_ = 63 + kFloatMinQuantum - shift;
      significand_ = fraction << shift;
    }
  } else {
    kind_ = Kind::kFinite;
    exponent_ = biased - kFloatExponentBias;
    significand_ = ((std::uint64_t{1} << kFloatFractionBits) | fraction) << kFloatFractionShift;
  }
}

SoftExtended::operator float() const {
  const std::uint32_t sign = negative_ ? 0x80000000u : 0u;
  const std::uint32_t infinity_bits = 0x7F800000u;
  switch (kind_) {
    case Kind::kZero: return std::bit_cast<float>(sign);
    case Kind::kInfinity: return std::bit_cast<float>(sign | infinity_bits);
    case Kind::kNaN:
      // The payload keeps its top bits, the quiet bit among them.
      return std::bit_cast<float>(sign | infinity_bits |
                                  static_cast<std::uint32_t>((significand_ >> kFloatFractionShift) & 0x7FFFFFu));
    case Kind::kFinite: break;
  }
  // The result is kept * 2^quantum; below the normal range the quantum
  // stays at that of the subnormals, so fewer bits are kept.
  int quantum = std::max(exponent_ - kFloatFractionBits, kFloatMinQuantum);
  std::uint64_t kept = shift_right_rounding(significand_, quantum - (exponent_ - 63));
  if ((kept >> (kFloatFractionBits + 1)) != 0) {  // rounding carried a bit
    kept >>= 1;
    ++quantum;
  }
  std::uint32_t magnitude = static_cast<std::uint32_t>(kept);
  if ((kept >> kFloatFractionBits) != 0) {  // normal (also a subnormal rounded up)
    const int biased = quantum + kFloatFractionBits + kFloatExponentBias;
    magnitude = biased >= kFloatMaxBiasedExponent
                    ? infinity_bits
                    : (static_cast<std::uint32_t>(biased) << kFloatFractionBits) | (magnitude & 0x7FFFFFu);
  }
  return std::bit_cast<float>(sign | magnitude);
}

SoftExtended SoftExtended::zero(bool negative) { return {Kind::kZero, negative, 0, 0}; }

SoftExtended SoftExtended::infinity(bool negative) { return {Kind::kInfinity, negative, 0, 0}; }

// The "indefinite" value the x87 unit gives for an invalid operation.
SoftExtended SoftExtended::default_nan() { return {Kind::kNaN, true, 0, kTopBit | kQuietBit}; }

SoftExtended SoftExtended::finite(bool negative, int exponent, std::uint64_t significand) {
  return {Kind::kFinite, negative, exponent, significand};
}

// At least one operand is a NaN.
SoftExtended SoftExtended::nan_result(const SoftExtended& a, const SoftExtended& b) {
  if (a.kind_ != Kind::kNaN) return b;
  if (b.kind_ != Kind::kNaN) return a;
  if (a.significand_ != b.significand_) {
    return a.significand_ > b.significand_ ? a : b;
  }
  return a.negative_ ? b : a;  // equal payloads: the positive one
}

bool operator==(const SoftExtended& a, const SoftExtended& b) { return (a <=> b) == 0; }

std::partial_ordering operator<=>(const SoftExtended& a, const SoftExtended& b) {
  if (a.kind_ == Kind::kNaN || b.kind_ == Kind::kNaN) {
    return std::partial_ordering::unordered;
  }
  if (a.kind_ == Kind::kZero && b.kind_ == Kind::kZero) {
    return std::partial_ordering::equivalent;
  }
  // Signs first (a zero counts as positive here, the other value being
  // non-zero), then magnitudes, reversed for negative numbers.
  const bool a_negative = a.kind_ != Kind::kZero && a.negative_;
  const bool b_negative = b.kind_ != Kind::kZero && b.negative_;
  if (a_negative != b_negative) {
    return a_negative ? std::partial_ordering::less : std::partial_ordering::greater;
  }
  const auto rank = [](const SoftExtended& x) { return static_cast<int>(x.kind_); };
  std::strong_ordering magnitude = rank(a) <=> rank(b);
  if (magnitude == 0 && a.kind_ == Kind::kFinite) {
    magnitude = a.exponent_ != b.exponent_ ? a.exponent_ <=> b.exponent_ : a.significand_ <=> b.significand_;
  }
  return a_negative ? 0 <=> magnitude : magnitude;
}

}  // namespace orbcalc
