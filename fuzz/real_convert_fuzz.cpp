// Fuzz target: the conversion of a real value's text to single precision,
// alone.
//
// The input is the text of a value as an answer may spell it: an optional
// sign, digits with at most one period, then optionally an exponent (E, e,
// D or d with an optional sign, or a sign alone, then digits). It is put
// into the form the reader hands to the conversion (exponent letter e, its
// sign always written); other inputs are passed over.
//
// Checks: the result is the float nearest to the decimal value, ties to
// even, bit for bit as the C library's strtof gives it (an independent
// conversion, exact for any length of text); a mantissa without digits is
// a zero of its sign.
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "console/real_convert.hpp"
#include "fuzz_check.hpp"

namespace orbcalc::fuzzing {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }

struct Scanned {
  std::string text;
  bool has_digit = false;
};

// The text in the reader's form, or nothing when it is not a number.
std::optional<Scanned> scanned_form(std::string_view in) {
  Scanned out;
  std::size_t i = 0;
  if (i < in.size() && is_sign(in[i])) out.text += in[i++];
  bool period = false;
  for (; i < in.size() && (is_digit(in[i]) || in[i] == '.'); ++i) {
    if (in[i] == '.') {
      if (period) return std::nullopt;
      period = true;
    } else {
      out.has_digit = true;
    }
    out.text += in[i];
  }
  if (i == in.size()) return out;
  char c = in[i];
  if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    ++i;
    out.text += 'e';
    if (i < in.size() && is_sign(in[i])) {
      out.text += in[i++];
    } else {
      out.text += '+';
    }
  } else if (is_sign(c)) {
    out.text += 'e';
    out.text += in[i++];
  } else {
    return std::nullopt;
  }
  if (i == in.size()) return std::nullopt;
  for (; i < in.size(); ++i) {
    if (!is_digit(in[i])) return std::nullopt;
    out.text += in[i];
  }
  return out;
}

}  // namespace
}  // namespace orbcalc::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbcalc::fuzzing;
  std::optional<Scanned> scanned = scanned_form({reinterpret_cast<const char*>(data), size});
  if (!scanned) return 0;
  // The conversion gets an allocation of exactly the text, so a read past
  // its end is caught.
  std::string_view text = scanned->text;
  auto copy = std::make_unique<char[]>(text.size());
  std::copy(text.begin(), text.end(), copy.get());
  const float result = orbcalc::convert_real({copy.get(), text.size()});
  const bool negative = text.starts_with('-');

  if (!scanned->has_digit) {
    require(result == 0.0f && std::signbit(result) == negative, "a mantissa without digits is a signed zero",
            text);
    return 0;
  }
  errno = 0;
  char* end = nullptr;
  const float expected = std::strtof(scanned->text.c_str(), &end);
  require(end == scanned->text.c_str() + text.size(), "strtof takes the whole text", text);
  require(std::bit_cast<std::uint32_t>(result) == std::bit_cast<std::uint32_t>(expected),
          "the result is the nearest float, ties to even", text);
  return 0;
}
