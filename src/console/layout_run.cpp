#include "console/layout_run.hpp"

#include <algorithm>
#include <cstring>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {

constexpr std::size_t kExcerptLength = 80;
constexpr std::size_t kExcerptLead = 40;
constexpr std::size_t kExcerptShiftAfter = 60;

}  // namespace

void parse_format(std::string_view text, Layout& layout) {
  parse_layout(text, layout);
  if (!layout.error.empty()) format_error(layout.error, text, layout.error_point);
}

Message format_error_text(std::string_view message, std::string_view text, std::size_t point) {
  const std::size_t start = point > kExcerptShiftAfter ? point - kExcerptLead : 0;
  Message reason;
  reason += message;
  reason += "\n";
  reason += text.substr(std::min(start, text.size()), kExcerptLength);
  reason += "\n";
  for (std::size_t n = start; n < point; ++n) reason += " ";
  reason += "^";
  return reason;
}

void format_error(std::string_view message, std::string_view text, std::size_t point) {
  generate_error(kFormatError, format_error_text(message, text, point));
}

void copy_literal(std::string_view text, const LayoutItem& item, char* into) {
  if (item.text_length == 0) return;
  const char* from = text.data() + item.text_begin;
  // Without a doubled delimiter the bytes stand as they are.
  if (std::memchr(from, item.delimiter, item.text_length) == nullptr) {
    std::memcpy(into, from, item.text_length);
    return;
  }
  for (std::size_t n = 0; n < item.text_length; ++n) {
    *into++ = *from;
    from += (*from == item.delimiter) ? 2 : 1;
  }
}

}  // namespace orbcalc
