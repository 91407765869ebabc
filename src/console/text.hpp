// Small character and number helpers shared by the layout parser, the
// free-form reader, the real conversion and the diagnostics.
#pragma once

#include <charconv>
#include <cstdint>

namespace orbcalc {

constexpr bool is_digit(int c) { return c >= '0' && c <= '9'; }

// ASCII letters only; every other byte, 0x80 to 0xFF included, stays.
constexpr int to_upper(int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
constexpr int to_lower(int c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

// The value of a hexadecimal digit in either case, or -1.
constexpr int hex_digit_value(int c) {
  if (is_digit(c)) return c - '0';
  const int lower = to_lower(c);
  return (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
}

// Appends the decimal digit `d` to `value`. False, leaving `value` as it
// was, when the result would pass `limit`.
constexpr bool append_digit(std::int64_t& value, int d, std::int64_t limit) {
  if (value > (limit - d) / 10) return false;
  value = value * 10 + d;
  return true;
}

// Writes `value` in capital hexadecimal digits without leading zeros ("0"
// for zero) at `out`, which has room for eight, and returns their end.
// Allocates nothing, so a fault handler may use it.
inline char* write_capital_hex(char* out, std::uint32_t value) {
  char* end = std::to_chars(out, out + 8, value, 16).ptr;
  for (char* p = out; p != end; ++p) *p = static_cast<char>(to_upper(*p));
  return end;
}

}  // namespace orbcalc
