// Real values in free-form input: the number syntax with its exponent
// forms, and the infinity and NaN spellings.
#include <bit>
#include <cstdint>

#include "console/list_reader.hpp"
#include "console/real_convert.hpp"
#include "console/text.hpp"

namespace orbcalc {
namespace {

constexpr std::string_view kBadReal = "Bad real number in item %d of list input";
constexpr std::string_view kBadInfinity = "Bad infinity in item %d of list input";
constexpr std::string_view kBadNan = "Bad not-a-number in item %d of list input";

constexpr std::uint32_t kSignBit = 0x80000000u;
constexpr std::uint32_t kExponentAllOnes = 0x7F800000u;
constexpr std::uint32_t kFractionMask = 0x007FFFFFu;
// The fraction field of a NaN typed as the bare letters.
constexpr std::uint32_t kDefaultNanFraction = 0xEA46Bu;

bool is_sign(int c) { return c == '+' || c == '-'; }
bool is_exponent_letter(int c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }
bool starts_exceptional(int c) { return to_lower(c) == 'i' || to_lower(c) == 'n'; }

}  // namespace

void ListReader::read_real() {
  int c;
  if (!begin_value(c)) return;
  if (is_digit(c)) {
    c = read_digits(c);
    if (c != '*') {
      scan_real_number(c);
      return;
    }
    // After a repeat count only a number may follow, not the letters.
    if (!follow_repeat_count(c)) return;
    if (!is_sign(c) && !is_digit(c) && c != '.') bad_value(kBadReal);
    push_char(c);
    scan_real_number(next_char());
    return;
  }
  if (starts_exceptional(c)) {
    parse_exceptional(c, false);
    return;
  }
  if (is_sign(c)) {
    int after_sign = next_char();
    if (starts_exceptional(after_sign)) {
      parse_exceptional(after_sign, c == '-');
      return;
    }
    push_char(c);
    scan_real_number(after_sign);
    return;
  }
  if (c != '.') bad_value(kBadReal);
  scan_real_number(c);
}

// Scans the rest of a number whose sign and leading digits, if any, are
// already in the saved string. The exponent is recorded as "e" and a
// sign, "+" when none was typed.
void ListReader::scan_real_number(int c) {
  bool seen_period = saved_string().find('.') != std::string_view::npos;
  while (is_digit(c) || c == '.') {
    if (c == '.') {
      if (seen_period) bad_value(kBadReal);
      seen_period = true;
    }
    push_char(c);
    c = next_char();
  }
  if (is_exponent_letter(c) || is_sign(c)) {
    push_char('e');
    if (is_exponent_letter(c)) {
      c = next_char();
      if (!is_sign(c)) push_char('+');
    }
    if (is_sign(c)) {
      push_char(c);
      c = next_char();
    }
    if (!is_digit(c)) bad_value(kBadReal);
    c = read_digits(c);
  }
  if (!is_terminator(c)) bad_value(kBadReal);
  unget_char(c);
  saved_real_ = std::bit_cast<std::uint32_t>(convert_real(saved_string()));
  saved_type_ = ItemType::real;
}

void ListReader::expect_letters(std::string_view letters, std::string_view failure) {
  for (char letter : letters) {
    if (to_lower(next_char()) != letter) bad_value(failure);
  }
}

// inf, infinity, nan and nan(hex), in either case, after an optional sign
// that `negative` reports. The character that ends them is left for the
// next item.
void ListReader::parse_exceptional(int c, bool negative) {
  std::uint32_t bits = negative ? kSignBit : 0;
  if (to_lower(c) == 'i') {
    expect_letters("nf", kBadInfinity);
    int after = next_char();
    if (to_lower(after) == 'i') {
      expect_letters("nity", kBadInfinity);
    } else {
      unget_char(to_lower(after));
    }
    bits |= kExponentAllOnes;
  } else {
    expect_letters("an", kBadNan);
    int after = next_char();
    std::uint32_t fraction = kDefaultNanFraction;
    if (after == '(') {
      std::uint32_t h = 0;
      for (after = next_char(); after != ')'; after = next_char()) {
        int digit = hex_digit_value(after);
        if (digit < 0) bad_value(kBadNan);
        h = (h << 4) | static_cast<std::uint32_t>(digit);
      }
      // A zero fraction leaves the bit pattern of infinity.
      fraction = h & kFractionMask;
    } else {
      unget_char(after);
    }
    bits |= kExponentAllOnes | fraction;
  }
  saved_real_ = bits;
  saved_type_ = ItemType::real;
}

}  // namespace orbcalc
