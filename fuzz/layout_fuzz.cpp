// Fuzz target: one write statement with a random layout string and a
// random list of items, through the in-memory standard output.
//
// The input is the item list on its first line, then the layout string
// (everything after the first line feed, any bytes). The item list is
// words separated by blanks: I and a decimal integer, F and a decimal real,
// H and the bits of a real in hexadecimal, A and the bytes of a text up to
// the next blank (A alone is a text of no bytes). Other words are ignored.
//
// Checks: the statement either completes or ends the run with status 2 and
// a layout error (its message, an excerpt of the layout and a caret under
// a byte of it) or the record-length error; standard output is whole
// records, each ended by CR LF; the items are not changed.
#include <algorithm>
#include <bit>
#include <charconv>

#include "console/layout_run.hpp"
#include "fuzz_check.hpp"
#include "support/console_harness.hpp"

namespace orbcalc::fuzzing {
namespace {

using testing::MemoryPlatform;
using testing::ProcessExit;
using testing::RunResult;

constexpr int kLine = 99;
// A short record limit keeps wide fields and long literals cheap: they
// meet the limit after at most this many bytes.
constexpr std::size_t kRecordLimit = 1000;
constexpr std::size_t kMaxItems = 32;
// Layout items the interpreter may step through (and records it may end)
// before a layout counts as too slow to try: "(2000000000(X))" is a
// correct layout that runs for minutes and writes nothing.
constexpr std::uint64_t kStepBudget = 200000;

std::vector<Item> parse_items(std::string_view line) {
  std::vector<Item> items;
  while (!line.empty() && items.size() < kMaxItems) {
    std::size_t end = std::min(line.find(' '), line.size());
    std::string_view word = line.substr(0, end);
    line.remove_prefix(std::min(end + 1, line.size()));
    if (word.empty()) continue;
    const char* first = word.data() + 1;
    const char* last = word.data() + word.size();
    std::int32_t integer = 0;
    float real = 0.0f;
    std::uint32_t bits = 0;
    if (word.front() == 'I') {
      std::from_chars(first, last, integer);
      items.push_back(make_item(ItemType::integer, {reinterpret_cast<const char*>(&integer), sizeof integer}));
    } else if (word.front() == 'F' || word.front() == 'H') {
      if (word.front() == 'F') std::from_chars(first, last, real);
      if (word.front() == 'H' && std::from_chars(first, last, bits, 16).ec == std::errc{})
        real = std::bit_cast<float>(bits);
      items.push_back(make_item(ItemType::real, {reinterpret_cast<const char*>(&real), sizeof real}));
    } else if (word.front() == 'A') {
      items.push_back(make_item(ItemType::character, word.substr(1)));
    }
  }
  return items;
}

std::uint64_t saturating_product(std::uint64_t a, std::uint64_t b) {
  constexpr std::uint64_t kCeiling = std::uint64_t{1} << 62;
  return a != 0 && b > kCeiling / a ? kCeiling : a * b;
}

// At most how many steps the interpreter takes through this item with
// `items` items, and whether it holds a data field: a group or field that
// holds one is passed at most once more than there are items; other items
// as often as their counts say.
struct Cost {
  std::uint64_t steps;
  bool holds_data_field;
};

Cost cost(const Layout& layout, int index, std::uint64_t items) {
  const LayoutItem& item = layout.items[static_cast<std::size_t>(index)];
  const auto repeat = static_cast<std::uint64_t>(std::max<std::int64_t>(item.repeat, 1));
  if (is_data_field(item)) return {std::min(repeat, items + 1), true};
  if (item.kind != LayoutKind::group) return {item.kind == LayoutKind::record_break ? repeat : 1, false};
  Cost pass{1, false};
  for (int child = item.first_child; child != kNoChild;
       child = layout.items[static_cast<std::size_t>(child)].next_sibling) {
    const Cost part = cost(layout, child, items);
    pass = {pass.steps + part.steps, pass.holds_data_field || part.holds_data_field};
  }
  return {saturating_product(pass.holds_data_field ? std::min(repeat, items + 1) : repeat, pass.steps),
          pass.holds_data_field};
}

// False when the layout parses and could take more steps than the budget.
// A layout that does not parse is always tried: it fails at once.
bool within_budget(std::string_view layout_text, std::uint64_t items) {
  MemoryPlatform scratch;
  Layout layout;
  bool parsed = false;
  testing::run_console(scratch, [&] {
    parse_format(layout_text, layout);
    parsed = true;
  });
  if (!parsed) return true;
  // Each pass from a restart point needs an item.
  return saturating_product(items + 1, cost(layout, 0, items).steps) <= kStepBudget;
}

// A layout error's reason: the message, the layout from some byte on (at
// most 80 bytes of it) and a caret under the point of the error.
void check_layout_error(std::string_view reason, std::string_view layout, std::size_t item_count) {
  std::size_t message_end = reason.find('\n');
  std::size_t caret_start = reason.rfind('\n') + 1;
  require(message_end != std::string_view::npos && caret_start > message_end + 1, "a layout error has three lines",
          reason);
  std::string_view message = reason.substr(0, message_end);
  std::string_view excerpt = reason.substr(message_end + 1, caret_start - message_end - 2);
  std::string_view caret = reason.substr(caret_start);

  std::vector<std::int64_t> numbers;
  std::string_view pattern = matching_pattern(kLayoutMessages, message, &numbers);
  require(!pattern.empty(), "a layout error has one of the layout messages", message);
  const auto items = static_cast<std::int64_t>(item_count);
  require(!pattern.starts_with("Expected") || (numbers.size() == 1 && numbers[0] >= 1 && numbers[0] <= items),
          "a type mismatch names an item that was passed", message);
  require(!pattern.starts_with("Expected") ||
              message.substr(9, message.find(' ', 9) - 9) != message.substr(message.rfind(' ') + 1),
          "a type mismatch names two different types", message);
  require(!pattern.starts_with("Exhausted") || items > 0, "only an item finds the layout exhausted", message);

  require(caret.ends_with('^') && caret.find_first_not_of(' ') == caret.size() - 1,
          "the third line is blanks and a caret", caret);
  // A point in the first 60 bytes has its caret under the layout's start;
  // for a later one the excerpt starts 40 bytes before it.
  const std::size_t column = caret.size() - 1;
  const bool from_start = excerpt == layout.substr(0, 80) && column <= 60 && column <= layout.size();
  const std::size_t start = layout.find(excerpt);
  require(excerpt.size() <= 80 &&
              (from_start || (column == 40 && start != std::string_view::npos && start + 40 < layout.size())),
          "the excerpt is at most 80 bytes of the layout, the caret under one of its bytes", reason);
}

}  // namespace
}  // namespace orbcalc::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbcalc;
  using namespace orbcalc::fuzzing;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t line_end = input.find('\n');
  if (line_end == std::string_view::npos) return 0;
  std::vector<Item> items = parse_items(input.substr(0, line_end));
  // The layout gets an allocation of its own, so a read past its end is
  // caught; layout strings are not terminated.
  const Item layout_copy = make_item(ItemType::character, input.substr(line_end + 1));
  const std::string_view layout(layout_copy.bytes.get(), layout_copy.length);
  if (!within_budget(layout, items.size())) return 0;

  const std::string before = snapshot(items);
  MemoryPlatform platform;
  RunResult result = testing::run_console(
      platform,
      [&] {
        set_locus(kLine);
        st_write(kOutputUnit, layout);
        for (Item& item : items) transfer_item(item);
        st_write_done();
      },
      kRecordLimit);

  require(snapshot(items) == before, "a write statement leaves its items as they were");
  require_whole_records(platform.output_writes());
  if (result.status == -1) {
    require(result.errors.empty() && !result.output.empty(),
            "a completed statement writes no diagnostic and ends at least one record", result.errors);
    return 0;
  }
  require(result.status == kStatusRunError, "a failed write statement ends with status 2", result.errors);
  RunErrorReport report = parse_run_error(result.errors);
  require(report.line == kLine && report.unit == kOutputUnit, "the locus names the statement and unit 6",
          result.errors);
  if (report.reason != kRecordTooLong) check_layout_error(report.reason, layout, items.size());
  return 0;
}
