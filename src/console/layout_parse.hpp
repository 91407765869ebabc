// Layout strings read into a tree of layout items: groups with repeat
// counts, literals, position skips, record breaks and the I, F and A data
// fields. The parser is constexpr: the program's own layouts are parsed
// when it is built (layout.hpp), and a layout given at run time is parsed
// by the same code into the pool of the console.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "console/layout_lexer.hpp"

namespace orbcalc {

// The data fields last, in the order of ItemType.
enum class LayoutKind : std::uint8_t {
  group,
  literal,
  position_skip,
  record_break,
  integer_field,
  real_field,
  text_field
};

inline constexpr int kNoChild = -1;

// The most layout items a layout given at run time may have.
inline constexpr std::size_t kItemPoolSize = 200;

struct LayoutItem {
  LayoutKind kind = LayoutKind::group;
  // A literal's delimiter.
  char delimiter = '\'';
  // Times a group runs or a data field is given; columns of a position
  // skip; records ended by a record break.
  std::int32_t repeat = 1;
  std::int32_t width = 0;    // data fields; for A, -1 means the item's own length
  std::int32_t digits = -1;  // F: fraction digits; I: minimum digits, -1 when absent
  std::int32_t first_child = kNoChild;
  std::int32_t next_sibling = kNoChild;
  // A literal's first content byte in the layout string and its length
  // after doubled delimiters are collapsed.
  std::size_t text_begin = 0;
  std::size_t text_length = 0;
  // Where the item began in the layout string; for a data field, its
  // descriptor letter. Errors point there.
  std::size_t source = 0;
};

constexpr bool is_data_field(const LayoutItem& item) {
  return item.kind == LayoutKind::integer_field || item.kind == LayoutKind::real_field ||
         item.kind == LayoutKind::text_field;
}

// A parsed layout as the interpreter walks it: items[0] is the whole
// string as one group.
struct LayoutView {
  std::string_view text;
  std::span<const LayoutItem> items;
  // The last byte the parser read, where an error about the layout as a
  // whole points.
  std::size_t last_read = 0;
};

inline constexpr std::string_view kMissingLeftParen = "Missing initial left parenthesis in format";
inline constexpr std::string_view kUnexpectedEnd = "Unexpected end of format string";
inline constexpr std::string_view kUnexpectedElement = "Unexpected element in format";
inline constexpr std::string_view kUnterminatedLiteral = "Unterminated character constant in format";
inline constexpr std::string_view kWidthRequired = "Nonnegative width required in format";
inline constexpr std::string_view kPeriodRequired = "Period required in format";
inline constexpr std::string_view kMinimumExceedsWidth = "Minimum digits exceeds field width";
inline constexpr std::string_view kTooManyItems = "Too many items in format";

// A layout parsed into room for Capacity items. `error` is empty when the
// layout is well formed; otherwise parsing stopped at byte `error_point`.
template <std::size_t Capacity>
struct ParsedLayout {
  std::string_view text;
  std::array<LayoutItem, Capacity> items{};
  std::size_t count = 0;
  std::size_t last_read = 0;
  std::string_view error{};
  std::size_t error_point = 0;

  constexpr LayoutView view() const { return {text, {items.data(), count}, last_read}; }
};

namespace layout_detail {

// Recursive descent over the tokens; the first error stops it and every
// caller returns at once.
template <std::size_t Capacity>
class Parser {
 public:
  constexpr explicit Parser(ParsedLayout<Capacity>& out) : out_(out), lexer_(out.text) {}

  constexpr void parse() {
    // The whole string is one group with repeat count 1.
    lexer_.next() == Token::left_paren ? parse_group(1, lexer_.token_start) : fail(kMissingLeftParen);
    out_.last_read = lexer_.last_read;
  }

 private:
  constexpr bool failed() const { return !out_.error.empty(); }

  constexpr int fail(std::string_view message) {
    if (!failed()) {
      out_.error = message;
      out_.error_point = lexer_.last_read;
    }
    return kNoChild;
  }

  constexpr int fail_on(Token t) {
    if (t == Token::end) return fail(kUnexpectedEnd);
    if (t == Token::unterminated) return fail(kUnterminatedLiteral);
    return fail(kUnexpectedElement);
  }

  constexpr int add(const LayoutItem& item) {
    if (out_.count == Capacity) return fail(kTooManyItems);
    out_.items[out_.count] = item;
    return static_cast<int>(out_.count++);
  }

  constexpr LayoutItem& at(int index) { return out_.items[static_cast<std::size_t>(index)]; }

  // Reads the items of a group up to its closing parenthesis. A comma
  // between items may be left out.
  constexpr void parse_group_items(int group) {
    int last_child = kNoChild;
    for (Token t = lexer_.next(); t != Token::right_paren;) {
      const int child = parse_item(t);
      if (failed()) return;
      (last_child == kNoChild ? at(group).first_child : at(last_child).next_sibling) = child;
      last_child = child;
      t = lexer_.next();
      if (t == Token::comma) t = lexer_.next();
    }
  }

  constexpr int parse_item(Token t) {
    const std::size_t start = lexer_.token_start;
    switch (t) {
      case Token::number: return parse_repeated(lexer_.value(), start);
      case Token::left_paren: return parse_group(1, start);
      case Token::slash: return add({.kind = LayoutKind::record_break, .source = start});
      case Token::letter_x: return add({.kind = LayoutKind::position_skip, .source = start});
      case Token::literal:
        return add({.kind = LayoutKind::literal,
                    .delimiter = lexer_.delimiter,
                    .text_begin = lexer_.literal_begin,
                    .text_length = lexer_.literal_length,
                    .source = start});
      case Token::letter_i:
      case Token::letter_f:
      case Token::letter_a: return parse_field(t, 1);
      default: return fail_on(t);
    }
  }

  // A positive number in front of a slash, a group, X or a data field.
  constexpr int parse_repeated(std::int32_t count, std::size_t start) {
    const Token t = lexer_.next();
    switch (t) {
      case Token::slash: return add({.kind = LayoutKind::record_break, .repeat = count, .source = start});
      case Token::left_paren: return parse_group(count, start);
      case Token::letter_x: return add({.kind = LayoutKind::position_skip, .repeat = count, .source = start});
      case Token::letter_i:
      case Token::letter_f:
      case Token::letter_a: return parse_field(t, count);
      default: return fail_on(t);
    }
  }

  constexpr int parse_group(std::int32_t count, std::size_t start) {
    const int group = add({.kind = LayoutKind::group, .repeat = count, .source = start});
    if (!failed()) parse_group_items(group);
    return group;
  }

  // A width or digit count; -1 after a failure.
  constexpr std::int32_t required_count(std::string_view missing) {
    const Token t = lexer_.next();
    if (t == Token::number || t == Token::zero) return lexer_.value();
    if (t == Token::end || t == Token::unterminated) return fail_on(t);
    return fail(missing);
  }

  constexpr int parse_field(Token letter, std::int32_t count) {
    LayoutItem item{.repeat = count, .source = lexer_.token_start};
    if (letter == Token::letter_a) {
      item.kind = LayoutKind::text_field;
      const Token t = lexer_.next();
      item.width = (t == Token::number || t == Token::zero) ? lexer_.value() : -1;
      if (item.width < 0) lexer_.unlex();
    } else {
      // I takes ".m" if it follows; F requires ".d".
      const bool integer = letter == Token::letter_i;
      item.kind = integer ? LayoutKind::integer_field : LayoutKind::real_field;
      item.width = required_count(kWidthRequired);
      if (failed()) return kNoChild;
      const Token t = lexer_.next();
      if (t != Token::period && integer) {
        lexer_.unlex();
        return add(item);
      }
      if (t != Token::period) return t == Token::end ? fail_on(t) : fail(kPeriodRequired);
      item.digits = required_count(kUnexpectedElement);
      if (integer && item.width != 0 && item.digits > item.width) return fail(kMinimumExceedsWidth);
    }
    if (failed()) return kNoChild;
    return add(item);
  }

  ParsedLayout<Capacity>& out_;
  Lexer lexer_;
};

}  // namespace layout_detail

// Parses `text` into `out`, which holds at most Capacity items; a layout
// needing more is refused with kTooManyItems.
template <std::size_t Capacity>
constexpr void parse_layout(std::string_view text, ParsedLayout<Capacity>& out) {
  out.text = text;
  out.count = 0;
  out.error = {};
  layout_detail::Parser<Capacity>(out).parse();
}

}  // namespace orbcalc
