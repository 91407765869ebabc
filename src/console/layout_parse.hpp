// Layout strings read into a tree of layout items: groups with repeat
// counts, literals, position skips, record breaks and the I, F and A data
// fields. Every statement parses its layout afresh into a reused pool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orbcalc {

enum class LayoutKind {
  group,
  literal,
  position_skip,
  record_break,
  integer_field,
  real_field,
  text_field,
};

inline constexpr int kNoChild = -1;

struct LayoutItem {
  LayoutKind kind = LayoutKind::group;
  // Times a group runs or a data field is given; columns of a position
  // skip; records ended by a record break.
  std::int64_t repeat = 1;
  std::int64_t width = 0;   // data fields; for A, -1 means the item's own length
  std::int64_t digits = -1; // F: fraction digits; I: minimum digits, -1 when absent
  // A literal's first content byte in the layout string, its length after
  // doubled delimiters are collapsed, and its delimiter.
  std::size_t text_begin = 0;
  std::size_t text_length = 0;
  char delimiter = '\'';
  // Where the item began in the layout string; for a data field, its
  // descriptor letter. Errors point there.
  std::size_t source = 0;
  int first_child = kNoChild;
  int next_sibling = kNoChild;
};

bool is_data_field(const LayoutItem& item);

// A parsed layout string: items[0] is the whole string as one group.
struct Layout {
  std::string_view text;
  std::vector<LayoutItem> items;
  // The last byte the reader looked at, where an error about the layout
  // as a whole points.
  std::size_t last_read = 0;
};

// Parses `text` into `layout`, reusing its storage. A malformed layout
// ends the run with a layout error.
void parse_format(std::string_view text, Layout& layout);

// Ends the run with a layout error: the message, an excerpt of the layout
// and a caret under byte `point`.
[[noreturn]] void format_error(std::string_view message, const Layout& layout,
                               std::size_t point);

// The three lines of a layout error, as the reason of the fatal report.
std::string format_error_text(std::string_view message, std::string_view text,
                              std::size_t point);

// Appends the literal's bytes, each doubled delimiter as one.
void copy_literal(const Layout& layout, const LayoutItem& item, char* into);

}  // namespace orbcalc
