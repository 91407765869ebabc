// Fuzz target: free-form read statements on random standard input, each
// taking a random list of items.
//
// The input is the item list on its first line, then standard input (any
// bytes). In the item list, i is an integer, r a real and t a text, t
// followed by digits a text of that many bytes (40 without them); other
// bytes are ignored. The same read statement runs again and again until
// the run ends, as it must once the input is used up.
//
// Checks: the run ends with status 2 and the end of the input, an overlong
// line or one of the reader's reasons naming an item of the statement;
// every statement takes at least one line; nothing is written to standard
// output; no integer item receives -2147483648; and the items and the
// outcome are the same whether the system hands the input over in large
// blocks or a few bytes at a time.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/item.hpp"
#include "console/statement.hpp"
#include "fuzz_check.hpp"
#include "support/console_harness.hpp"

namespace orbcalc::fuzzing {
namespace {

using testing::MemoryPlatform;
using testing::RunResult;

constexpr int kLine = 59;
constexpr std::size_t kRecordLimit = 4096;
constexpr std::size_t kMaxItems = 16;
constexpr std::size_t kMaxTextLength = 300;
constexpr std::size_t kDefaultTextLength = 40;
// Bytes of a fresh item: a null value leaves them.
constexpr unsigned char kUntouched = 0x5A;

// Each item has an allocation of exactly its size, so a store past its
// end is caught.
struct GivenItem {
  ItemType type;
  std::size_t length;
  std::unique_ptr<char[]> bytes;
};

std::vector<GivenItem> parse_items(std::string_view line) {
  std::vector<GivenItem> items;
  for (std::size_t i = 0; i < line.size() && items.size() < kMaxItems; ++i) {
    switch (line[i]) {
      case 'i': items.push_back({ItemType::integer, sizeof(std::int32_t), nullptr}); break;
      case 'r': items.push_back({ItemType::real, sizeof(float), nullptr}); break;
      case 't': {
        std::size_t length = kDefaultTextLength;
        std::size_t digits = i + 1;
        while (digits < line.size() && digits - i <= 4 && line[digits] >= '0' && line[digits] <= '9') ++digits;
        if (digits > i + 1) std::from_chars(line.data() + i + 1, line.data() + digits, length);
        items.push_back({ItemType::character, std::min(length, kMaxTextLength), nullptr});
        i = digits - 1;
        break;
      }
      default: break;
    }
  }
  return items;
}

void fill_fresh(std::vector<GivenItem>& items) {
  for (GivenItem& item : items) {
    item.bytes = std::make_unique<char[]>(item.length);
    std::memset(item.bytes.get(), kUntouched, item.length);
  }
}

void transfer_item(GivenItem& item) {
  switch (item.type) {
    case ItemType::integer: transfer_integer(*reinterpret_cast<std::int32_t*>(item.bytes.get())); return;
    case ItemType::real: transfer_real(*reinterpret_cast<float*>(item.bytes.get())); return;
    case ItemType::character: transfer_character({item.bytes.get(), item.length}); return;
  }
}

std::string snapshot(const std::vector<GivenItem>& items) {
  std::string bytes;
  for (const GivenItem& item : items) bytes.append(item.bytes.get(), item.length);
  return bytes;
}

void read_statement_of(std::vector<GivenItem>& items) {
  set_locus(kLine);
  st_read(kInputUnit);
  for (GivenItem& item : items) transfer_item(item);
  st_read_done();
}

struct Outcome {
  RunResult result;
  std::vector<std::string> after_each_statement;
};

Outcome read_until_the_end(std::vector<GivenItem>& items, std::string_view input, std::size_t chunk) {
  fill_fresh(items);
  MemoryPlatform platform{std::string(input)};
  platform.set_read_chunk(chunk);
  const auto lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) + 1;
  Outcome outcome;
  outcome.result = testing::run_console(
      platform,
      [&] {
        for (;;) {
          read_statement_of(items);
          outcome.after_each_statement.push_back(snapshot(items));
          require(outcome.after_each_statement.size() <= lines, "every read statement takes a line of its own");
          for (const GivenItem& item : items) {
            if (item.type != ItemType::integer) continue;
            std::int32_t value;
            std::memcpy(&value, item.bytes.get(), sizeof value);
            require(value != std::numeric_limits<std::int32_t>::min(), "no integer answer is -2147483648");
          }
        }
      },
      kRecordLimit);
  return outcome;
}

void check_end(const RunResult& result, std::size_t item_count) {
  require(result.output.empty(), "read statements write nothing to standard output", result.output);
  require(result.status == kStatusRunError, "the reads end only when the run fails, with status 2",
          result.errors);
  RunErrorReport report = parse_run_error(result.errors);
  require(report.line == kLine && report.unit == kInputUnit, "the locus names the statement and unit 5",
          result.errors);
  if (report.reason == kEndOfFile || report.reason == kLineTooLong) return;
  std::vector<std::int64_t> numbers;
  std::string_view pattern = matching_pattern(kReaderReasons, report.reason, &numbers);
  require(!pattern.empty(), "the reason is one of the reader's", report.reason);
  require(!numbers.empty() && numbers.back() >= 1 && numbers.back() <= static_cast<std::int64_t>(item_count),
          "the reason names an item of the statement", report.reason);
}

}  // namespace
}  // namespace orbcalc::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbcalc::fuzzing;
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t line_end = all.find('\n');
  if (line_end == std::string_view::npos) return 0;
  std::vector<GivenItem> items = parse_items(all.substr(0, line_end));
  if (items.empty()) return 0;
  std::string_view input = all.substr(line_end + 1);

  Outcome whole = read_until_the_end(items, input, 16384);
  check_end(whole.result, items.size());
  // A few bytes per system read, the number chosen by the input.
  Outcome pieces = read_until_the_end(items, input, 1 + size % 5);
  require(pieces.after_each_statement == whole.after_each_statement,
          "the items do not depend on how the input arrives");
  require(pieces.result.status == whole.result.status && pieces.result.errors == whole.result.errors,
          "the outcome does not depend on how the input arrives", pieces.result.errors);
  return 0;
}
