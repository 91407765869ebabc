// Layout strings parsed when the program is built: kLayout<"(...)"> is the
// parsed form of a string literal, and a malformed literal does not
// compile. The interpreter then carries out the parsed items directly.
#pragma once

#include <cstddef>
#include <string_view>

#include "console/layout_parse.hpp"

namespace orbcalc {

// The bytes of a layout string literal, usable as a template argument.
template <std::size_t N>
struct LayoutText {
  char bytes[N]{};

  consteval LayoutText() = default;
  consteval LayoutText(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
  static constexpr std::size_t size() { return N - 1; }
  constexpr std::string_view view() const { return {bytes, N - 1}; }
};

namespace layout_detail {

// Parses with room for one item per byte, which no layout can exceed, then
// keeps exactly the items it has.
template <LayoutText Text>
consteval auto parse_when_built() {
  constexpr ParsedLayout<Text.size() + 1> wide = [] {
    ParsedLayout<Text.size() + 1> parsed;
    parse_layout(Text.view(), parsed);
    return parsed;
  }();
  static_assert(wide.error.empty(), "malformed layout string");
  static_assert(wide.count <= kItemPoolSize, "layout string with more items than the pool");
  ParsedLayout<wide.count> exact;
  exact.text = wide.text;
  exact.last_read = wide.last_read;
  for (std::size_t i = 0; i < wide.count; ++i) exact.items[exact.count++] = wide.items[i];
  return exact;
}

}  // namespace layout_detail

template <LayoutText Text>
inline constexpr auto kLayout = layout_detail::parse_when_built<Text>();

// Head, the digit of count, then tail: a layout whose repeat count is a
// constant of the program.
template <LayoutText Head, int Count, LayoutText Tail>
consteval auto with_count() {
  static_assert(Count >= 1 && Count <= 9, "a repeat count of one digit");
  LayoutText<Head.size() + 1 + Tail.size() + 1> joined;
  std::size_t at = 0;
  for (char c : Head.view()) joined.bytes[at++] = c;
  joined.bytes[at++] = static_cast<char>('0' + Count);
  for (char c : Tail.view()) joined.bytes[at++] = c;
  return joined;
}

}  // namespace orbcalc
