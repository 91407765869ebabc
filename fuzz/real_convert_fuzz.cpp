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
#include <cstdlib>
#include <optional>

#include "console/real_convert.hpp"
#include "fuzz_check.hpp"

namespace orbcalc::fuzzing {
namespace {

constexpr std::string_view kDigits = "0123456789";
constexpr auto kNone = std::string_view::npos;

bool is_sign(char c) { return c == '+' || c == '-'; }

struct Scanned {
  std::string text;
  bool has_digit = false;
};

// The text in the reader's form, or nothing when it is not a number.
std::optional<Scanned> scanned_form(std::string_view in) {
  const std::size_t start = !in.empty() && is_sign(in[0]) ? 1 : 0;
  const std::size_t end = std::min(in.find_first_not_of(".0123456789", start), in.size());
  const std::string_view mantissa = in.substr(start, end - start);
  if (std::count(mantissa.begin(), mantissa.end(), '.') > 1) return std::nullopt;
  Scanned out{std::string(in.substr(0, end)), mantissa.find_first_of(kDigits) != kNone};
  if (end == in.size()) return out;
  std::string_view exponent = in.substr(end);
  const bool letter = std::string_view("eEdD").find(exponent[0]) != kNone;
  if (letter) exponent.remove_prefix(1);
  const bool sign = !exponent.empty() && is_sign(exponent[0]);
  const std::string_view digits = exponent.substr(sign ? 1 : 0);
  if ((!letter && !sign) || digits.empty() || digits.find_first_not_of(kDigits) != kNone) return std::nullopt;
  out.text += (sign ? "e" : "e+") + std::string(exponent);
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
  const Item copy = make_item(orbcalc::ItemType::character, text);
  const float result = orbcalc::convert_real({copy.bytes.get(), copy.length});
  const bool negative = text.starts_with('-');

  if (!scanned->has_digit) {
    require(result == 0.0f && std::signbit(result) == negative, "a mantissa without digits is a signed zero", text);
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
