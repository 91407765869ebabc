#include "console/error_print.hpp"

#include <algorithm>
#include <charconv>

#include "console/platform.hpp"
#include "console/runtime.hpp"
#include "console/text.hpp"

namespace orbcalc {
namespace {

bool is_directive(char c) { return c == 'd' || c == 's' || c == 'c' || c == 'x'; }

// Hands `pattern` to `sink` piece by piece: the runs of plain text and the
// value of each directive.
template <class Sink>
void expand(std::string_view pattern, PrintArgs args, Sink sink) {
  const PrintArg* next_arg = args.begin();
  std::size_t run_start = 0;
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] != '%' || !is_directive(pattern[i + 1])) continue;
    sink(pattern.substr(run_start, i - run_start));
    ++i;
    run_start = i + 1;
    if (next_arg == args.end()) continue;
    const PrintArg& arg = *next_arg++;
    std::array<char, 24> digits;
    char* end = digits.data();
    switch (pattern[i]) {
      case 'd': end = std::to_chars(digits.data(), digits.data() + digits.size(), arg.number).ptr; break;
      case 'x': end = write_capital_hex(digits.data(), static_cast<std::uint32_t>(arg.number)); break;
      case 'c': *end++ = static_cast<char>(arg.number); break;
      default: sink(arg.text); continue;
    }
    sink(std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
  }
  sink(pattern.substr(run_start));
}

}  // namespace

Message& Message::operator+=(std::string_view text) {
  const std::size_t n = std::min(text.size(), kCapacity - size_);
  std::copy_n(text.data(), n, bytes_.data() + size_);
  size_ += n;
  return *this;
}

Message message(std::string_view pattern, PrintArgs args) {
  Message text;
  expand(pattern, args, [&](std::string_view piece) { text += piece; });
  return text;
}

std::size_t error_print(std::string_view pattern, PrintArgs args) {
  Platform& platform = runtime_platform();
  std::size_t written = 0;
  expand(pattern, args, [&](std::string_view piece) {
    std::size_t done = 0;
    while (done < piece.size()) {
      IoResult r = platform.write(StdStream::error, {piece.data() + done, piece.size() - done});
      if (r.error != 0 || r.count == 0) break;  // nowhere left to complain to
      done += r.count;
    }
    written += done;
  });
  return written;
}

}  // namespace orbcalc
