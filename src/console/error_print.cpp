#include "console/error_print.hpp"

#include <array>
#include <charconv>

#include "console/platform.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

std::size_t emit(std::string_view piece) {
  Platform& platform = runtime_platform();
  std::size_t written = 0;
  while (written < piece.size()) {
    IoResult r = platform.write(StdStream::error, {piece.data() + written, piece.size() - written});
    if (r.error != 0 || r.count == 0) break;  // nowhere left to complain to
    written += r.count;
  }
  return written;
}

std::size_t emit_directive(char directive, const PrintArg& arg) {
  std::array<char, 24> digits;
  char* end = digits.data();
  switch (directive) {
    case 'd':
      end = std::to_chars(digits.data(), digits.data() + digits.size(), arg.number).ptr;
      break;
    case 'x':
      end = std::to_chars(digits.data(), digits.data() + digits.size(),
                          static_cast<std::uint32_t>(arg.number), 16)
                .ptr;
      for (char* p = digits.data(); p != end; ++p) {
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
      }
      break;
    case 'c':
      digits[0] = static_cast<char>(arg.number);
      end = digits.data() + 1;
      break;
    default:
      return emit(arg.text);
  }
  return emit({digits.data(), static_cast<std::size_t>(end - digits.data())});
}

bool is_directive(char c) { return c == 'd' || c == 's' || c == 'c' || c == 'x'; }

}  // namespace

std::size_t error_print(std::string_view layout, std::initializer_list<PrintArg> args) {
  const PrintArg* next_arg = args.begin();
  std::size_t written = 0;
  std::size_t run_start = 0;
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (layout[i] != '%' || i + 1 == layout.size() || !is_directive(layout[i + 1])) continue;
    written += emit(layout.substr(run_start, i - run_start));
    if (next_arg != args.end()) written += emit_directive(layout[i + 1], *next_arg++);
    ++i;
    run_start = i + 1;
  }
  written += emit(layout.substr(run_start));
  return written;
}

}  // namespace orbcalc
