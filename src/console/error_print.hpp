// Diagnostic text on standard error, each piece handed to the system the
// moment it is formed. It allocates nothing, so a fault handler may use it.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orbcalc {

// One value for a directive: "%s" takes the text, "%d" the number as a
// signed integer, "%x" as an unsigned one, "%c" as a character code.
struct PrintArg {
  std::string_view text;
  std::int64_t number = 0;

  PrintArg(std::string_view t) : text(t) {}
  PrintArg(const char* t) : text(t) {}
  PrintArg(const std::string& t) : text(t) {}
  template <std::integral T>
  PrintArg(T n) : number(static_cast<std::int64_t>(n)) {}
};

// Copies `layout` to standard error, replacing "%d", "%s", "%c" and "%x"
// by the next argument; any other character after "%" is written together
// with the "%". Returns the number of characters written.
std::size_t error_print(std::string_view layout,
                        std::initializer_list<PrintArg> args = {});

}  // namespace orbcalc
