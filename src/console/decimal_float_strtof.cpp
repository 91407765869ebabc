// nearest_float_of with strtof, for libraries whose std::from_chars has no
// float overload (libc++ 14 on wasm32-wasi). The C library's strtof rounds
// correctly to nearest, ties to even, and gives zero and infinity itself
// where the value is out of range.
#include <array>
#include <cassert>
#include <cstdlib>
#include <cstring>

#include "console/decimal_float.hpp"

namespace orbcalc {

float nearest_float_of(std::string_view text) {
  assert(text.size() <= kDecimalTextLimit);
  std::array<char, kDecimalTextLimit + 1> terminated;
  std::memcpy(terminated.data(), text.data(), text.size());
  terminated[text.size()] = '\0';
  char* end = nullptr;
  const float value = std::strtof(terminated.data(), &end);
  assert(end == terminated.data() + text.size());
  return value;
}

}  // namespace orbcalc
