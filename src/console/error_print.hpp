// Text with directives: "%d", "%s", "%c" and "%x" replaced by values. The
// one way the console layer builds a message, and the one way it writes
// diagnostic text on standard error. Neither allocates, so a fault handler
// may use them.
#pragma once

#include <array>
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

using PrintArgs = std::initializer_list<PrintArg>;

// A message of at most kCapacity bytes; longer text is cut there.
class Message {
 public:
  static constexpr std::size_t kCapacity = 1024;

  Message& operator+=(std::string_view text);
  operator std::string_view() const { return {bytes_.data(), size_}; }

 private:
  std::array<char, kCapacity> bytes_;
  std::size_t size_ = 0;
};

// `pattern` with its directives replaced by the next arguments; any other
// character after "%" stands for itself together with the "%".
Message message(std::string_view pattern, PrintArgs args = {});

// The same text written to standard error, each piece handed to the
// system the moment it is formed. Returns the number of characters written.
std::size_t error_print(std::string_view pattern, PrintArgs args = {});

}  // namespace orbcalc
