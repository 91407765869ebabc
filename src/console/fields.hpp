// The data fields of a layout: Iw for a 4-byte integer, Fw.d for a 4-byte
// real and Aw for a text. Each renders into exactly w bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orbcalc {

// The integer field of width w, with at least `min_digits` digits when it
// is not negative.
void write_i(std::span<char> field, std::int32_t value, std::int64_t min_digits = -1);

// The fixed real field of width field.size() with `digits` fraction digits.
void write_f(std::span<char> field, float value, int digits);

// The text field of width field.size().
void write_a(std::span<char> field, std::string_view text);

// The sign of a number field: only a minus sign is ever written.
std::string_view calculate_sign(bool negative);

}  // namespace orbcalc
