// A 128-bit unsigned integer made of two 64-bit words, with just the
// operations the software extended type needs to round exactly. Written out
// by hand so that it builds on every host, including 32-bit ones.
#pragma once

#include <bit>
#include <compare>
#include <cstdint>

namespace orbcalc {

struct Uint128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;

  // Word by word, high word first: the numeric order.
  friend auto operator<=>(const Uint128&, const Uint128&) = default;

  bool is_zero() const { return (hi | lo) == 0; }

  int countl_zero() const { return hi != 0 ? std::countl_zero(hi) : 64 + std::countl_zero(lo); }

  // For 0 <= n < 128.
  Uint128 shifted_left(int n) const {
    if (n == 0) return *this;
    if (n >= 64) return {lo << (n - 64), 0};
    return {(hi << n) | (lo >> (64 - n)), lo << n};
  }

  // For n >= 0. Bits shifted out are or-ed into the lowest bit ("jammed"),
  // so that a result which was inexact stays recognisably inexact.
  Uint128 shifted_right_jamming(int n) const {
    if (n == 0) return *this;
    if (n >= 128) return {0, is_zero() ? 0u : 1u};
    Uint128 kept;
    bool lost;
    if (n >= 64) {
      kept = {0, n == 64 ? hi : hi >> (n - 64)};
      lost = lo != 0 || (n > 64 && (hi << (128 - n)) != 0);
    } else {
      kept = {hi >> n, (lo >> n) | (hi << (64 - n))};
      lost = (lo << (64 - n)) != 0;
    }
    kept.lo |= lost ? 1u : 0u;
    return kept;
  }

  // Wraps modulo 2^128; the caller knows whether a carry can occur.
  friend Uint128 operator+(const Uint128& a, const Uint128& b) {
    const std::uint64_t low = a.lo + b.lo;
    return {a.hi + b.hi + (low < a.lo ? 1u : 0u), low};
  }

  // For a >= b.
  friend Uint128 operator-(const Uint128& a, const Uint128& b) {
    return {a.hi - b.hi - (a.lo < b.lo ? 1u : 0u), a.lo - b.lo};
  }
};

// The exact 128-bit product of two 64-bit integers, from 32-bit halves.
inline Uint128 multiply_wide(std::uint64_t a, std::uint64_t b) {
  constexpr std::uint64_t kLow32 = 0xFFFFFFFFu;
  const std::uint64_t a_lo = a & kLow32;
  const std::uint64_t a_hi = a >> 32;
  const std::uint64_t b_lo = b & kLow32;
  const std::uint64_t b_hi = b >> 32;
  const std::uint64_t lo_lo = a_lo * b_lo;
  const std::uint64_t hi_lo = a_hi * b_lo;
  const std::uint64_t lo_hi = a_lo * b_hi;
  const std::uint64_t hi_hi = a_hi * b_hi;
  // The middle column cannot overflow: its sum is at most 2^64 - 1.
  const std::uint64_t middle = (lo_lo >> 32) + (hi_lo & kLow32) + lo_hi;
  return {hi_hi + (hi_lo >> 32) + (middle >> 32), (middle << 32) | (lo_lo & kLow32)};
}

}  // namespace orbcalc
