// Writes the conversion table of tests/conversion: decimal texts, each with
// the bits of the float nearest to it (ties to even), for every host's
// build to convert and compare. The texts are made from floats whose exact
// decimal values this program works out: floats written out in full, the
// exact midpoints between neighbouring floats, and values just above and
// just below those midpoints, across every exponent range, in every
// exponent form the reader takes, some with mantissas of many hundreds of
// digits. Every expected result follows from how the text was made, and is
// checked once more against the C library's strtof where this runs (glibc
// on x86-64). Run it once there, when the table is to change:
//
//   g++ -std=c++20 -O2 -o make_conversion_table scripts/make_conversion_table.cpp
//   ./make_conversion_table >tests/conversion/table.txt
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A decimal value: 0.digits times 10^point, digits without leading zeros.
struct Decimal {
  std::string digits;
  long point = 0;
};

// The exact decimal value of n * 2^k.
Decimal exact_decimal(std::uint64_t n, int k) {
  std::vector<std::uint32_t> limbs;  // base 10^9, lowest first
  for (; n != 0; n /= 1000000000) limbs.push_back(static_cast<std::uint32_t>(n % 1000000000));
  const std::uint32_t factor = k >= 0 ? 2 : 5;
  for (int i = 0; i < (k >= 0 ? k : -k); ++i) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
      std::uint64_t v = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(v % 1000000000);
      carry = v / 1000000000;
    }
    if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
  }
  Decimal d;
  for (auto limb = limbs.rbegin(); limb != limbs.rend(); ++limb) {
    char chunk[16];
    std::snprintf(chunk, sizeof chunk, limb == limbs.rbegin() ? "%u" : "%09u", *limb);
    d.digits += chunk;
  }
  // n * 5^-k is the value times 10^-k.
  d.point = static_cast<long>(d.digits.size()) + (k < 0 ? k : 0);
  if (k >= 0) d.point = static_cast<long>(d.digits.size());
  return d;
}

// The same value written in one of the forms the reader takes, chosen by
// `form`: plain digits with a period, or one digit before the period and
// an exponent after e, E, d or D, with or without a sign, or after a bare
// sign.
std::string render(const Decimal& d, unsigned form, bool negative) {
  std::string text = negative ? "-" : (form % 7 == 3 ? "+" : "");
  const long n = static_cast<long>(d.digits.size());
  if (form % 6 == 0) {
    if (d.point <= 0) {
      text += "0." + std::string(static_cast<std::size_t>(-d.point), '0') + d.digits;
    } else if (d.point >= n) {
      text += d.digits + std::string(static_cast<std::size_t>(d.point - n), '0') + ".";
    } else {
      text += d.digits.substr(0, static_cast<std::size_t>(d.point)) + "." +
              d.digits.substr(static_cast<std::size_t>(d.point));
    }
    return text;
  }
  static const char* const kLetters[] = {"e", "E", "d", "D", ""};
  const char* letter = kLetters[form % 5];
  long exponent = d.point - 1;
  text += d.digits.substr(0, 1) + "." + d.digits.substr(1);
  if (*letter == '\0' && exponent == 0) letter = "e";  // a bare exponent needs its sign
  const bool sign = *letter == '\0' || exponent < 0 || form % 4 == 1;
  text += letter;
  if (sign) text += exponent < 0 ? "-" : "+";
  text += std::to_string(exponent < 0 ? -exponent : exponent);
  return text;
}

// The C library's reading of the value, as a cross-check.
std::uint32_t strtof_bits(const Decimal& d, bool negative) {
  std::string text = (negative ? "-0." : "0.") + d.digits + "e" + std::to_string(d.point);
  return std::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr));
}

std::vector<std::string> lines;
unsigned form_counter = 0;

void add(const Decimal& d, std::uint32_t bits, bool negative) {
  if (negative) bits |= 0x80000000u;
  if (strtof_bits(d, negative) != bits) {
    std::fprintf(stderr, "strtof disagrees on 0.%se%ld\n", d.digits.c_str(), d.point);
    std::exit(1);
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08X", bits);
  lines.push_back(std::string(hex) + " " + render(d, form_counter++, negative));
}

// Increments a digit string, which may carry into a new leading digit.
void increment_last(Decimal& d) {
  std::size_t i = d.digits.size();
  while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
  if (i == 0) {
    d.digits.insert(0, "1");
    ++d.point;
  } else {
    ++d.digits[i - 1];
  }
}

// Moves the digit string so its end is at 10^-places at least, padding
// with zeros.
void extend_to(Decimal& d, long places) {
  long last = d.point - static_cast<long>(d.digits.size());
  if (last > -places) d.digits.append(static_cast<std::size_t>(last + places), '0');
}

// A float, its midpoint with the next float up, and values just around
// that midpoint. `pad` zeros stand between the midpoint and the digit that
// moves it, so some mantissas are far longer than any float needs.
void add_float(std::uint32_t bits, bool negative, std::size_t pad) {
  const std::uint32_t field = bits >> 23;
  const std::uint64_t m = (bits & 0x7FFFFFu) | (field != 0 ? 0x800000u : 0u);
  const int e = (field != 0 ? static_cast<int>(field) : 1) - 150;
  add(exact_decimal(m, e), bits, negative);
  const Decimal mid = exact_decimal(2 * m + 1, e - 1);
  add(mid, (bits & 1u) == 0 ? bits : bits + 1, negative);
  // Below: one less in the last place of a longer digit string.
  Decimal below = mid;
  extend_to(below, static_cast<long>(pad) - (mid.point - static_cast<long>(mid.digits.size())) + 1);
  Decimal above = below;
  std::size_t i = below.digits.size();
  while (below.digits[i - 1] == '0') below.digits[--i] = '9';
  --below.digits[i - 1];
  add(below, bits, negative);
  increment_last(above);
  add(above, bits + 1, negative);
  // A tie written with many zeros after it is still a tie.
  Decimal tie = mid;
  tie.digits.append(pad, '0');
  add(tie, (bits & 1u) == 0 ? bits : bits + 1, negative);
}

}  // namespace

int main() {
  // Special texts whose value is plain.
  const char* const kPlain[][2] = {
      {"00000000", "0"},
      {"80000000", "-0.000"},
      {"00000000", "0e999999999"},
      {"80000000", "-.0D-7"},
      {"7F800000", "1e39"},
      {"FF800000", "-1D+99999999999999999999"},
      {"00000000", "1e-46"},
      {"80000000", "-1.0-99999"},
      {"3F800000", "1"},
      {"3F800000",
       "1."
       "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       "0000000000000000000000000000000000001"},
  };
  for (const auto& entry : kPlain) lines.push_back(std::string(entry[0]) + " " + entry[1]);

  // Every power of two, the edges of every range, and floats taken evenly
  // over all bit patterns (a fixed linear congruential sequence).
  std::vector<std::uint32_t> floats;
  for (std::uint32_t field = 0; field < 255; ++field) floats.push_back(field << 23 | (field == 0 ? 1u : 0u));
  for (std::uint32_t bits : {0x00000002u, 0x007FFFFFu, 0x00800001u, 0x7F7FFFFEu, 0x7F7FFFFFu, 0x3F7FFFFFu, 0x3F800001u,
                             0x4B7FFFFFu, 0x4B800000u, 0x4B800001u}) {
    floats.push_back(bits);
  }
  std::uint32_t state = 12345;
  for (int i = 0; i < 400; ++i) {
    state = state * 1664525u + 1013904223u;
    floats.push_back(1 + state % 0x7F7FFFFFu);
  }
  for (std::size_t i = 0; i < floats.size(); ++i) {
    // Most with a short pad; every tenth with a mantissa hundreds of digits long.
    add_float(floats[i], i % 3 == 2, i % 10 == 0 ? 400 + i % 300 : 3 + i % 20);
  }

  std::printf("'Decimal texts and the bits of the nearest float, made by scripts/make_conversion_table.cpp'\n");
  std::printf("%zu\n", lines.size());
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}
