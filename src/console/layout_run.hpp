// Layouts at run time: a layout string given as text is parsed into the
// pool of 200 items, and layout errors become the reason of a fatal run
// error with an excerpt of the layout and a caret under the fault.
#pragma once

#include <cstddef>
#include <string_view>

#include "console/error_print.hpp"
#include "console/layout_parse.hpp"

namespace orbcalc {

// A layout parsed at run time into the pool.
using Layout = ParsedLayout<kItemPoolSize>;

// Parses `text` into `layout`; a malformed layout ends the run with a
// layout error.
void parse_format(std::string_view text, Layout& layout);

// Ends the run with a layout error: the message, an excerpt of the layout
// and a caret under byte `point`.
[[noreturn]] void format_error(std::string_view message, std::string_view text, std::size_t point);

// The three lines of a layout error, as the reason of the fatal report.
Message format_error_text(std::string_view message, std::string_view text, std::size_t point);

// Writes the literal's bytes at `into`, each doubled delimiter as one.
void copy_literal(std::string_view text, const LayoutItem& item, char* into);

}  // namespace orbcalc
