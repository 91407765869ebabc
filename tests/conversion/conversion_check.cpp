// Reads the conversion table on standard input with the program's own read
// statements, as an answer is read, and compares every value with the bits
// stored beside it. The table was made once on x86-64; every host's build
// runs this, so each host's own decimal conversion is held to the same bits.
//
// The table: a quoted title line, the number of entries, then one entry a
// line: eight hexadecimal digits (the expected bits) and the decimal text.
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "console/platform.hpp"
#include "console/statement.hpp"

namespace {

// Raw bytes, as the program writes them: no line-end translation anywhere.
void say(orbcalc::StdStream stream, const char* text, int length) {
  orbcalc::runtime_platform().write(stream, {text, static_cast<std::size_t>(length)});
}

}  // namespace

int main(int argc, char** argv) {
  orbcalc::runtime_start(argc, argv);
  std::array<char, 120> title;
  std::int32_t entries = 0;
  orbcalc::read_statement(1, std::span<char>(title));
  orbcalc::read_statement(2, entries);
  int differ = 0;
  for (std::int32_t entry = 0; entry < entries; ++entry) {
    std::array<char, 9> hex{};
    float value = 0.0f;
    orbcalc::read_statement(3, std::span<char>(hex.data(), 8), value);
    const auto expected = static_cast<std::uint32_t>(std::strtoul(hex.data(), nullptr, 16));
    const auto actual = std::bit_cast<std::uint32_t>(value);
    if (actual != expected) {
      // The table's line: the title and the count come first.
      char line[64];
      say(orbcalc::StdStream::error, line,
          std::snprintf(line, sizeof line, "line %d: expected %08X, read %08X\n", static_cast<int>(entry) + 3,
                        static_cast<unsigned>(expected), static_cast<unsigned>(actual)));
      ++differ;
    }
  }
  char summary[64];
  say(orbcalc::StdStream::output, summary,
      std::snprintf(summary, sizeof summary, "%d texts converted, %d differ\n", static_cast<int>(entries), differ));
  return differ == 0 ? 0 : 1;
}
