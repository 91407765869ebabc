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
#include <cstring>
#include <limits>

#include "dialogue/dialogue.hpp"
#include "fuzz_check.hpp"
#include "support/console_harness.hpp"

namespace orbcalc::fuzzing {
namespace {

using testing::MemoryPlatform;
using testing::RunResult;

constexpr int kLine = dialogue::kReadBond.line;
constexpr std::size_t kRecordLimit = 4096;
constexpr std::size_t kMaxItems = 16;
constexpr std::size_t kMaxTextLength = 300;
constexpr std::size_t kDefaultTextLength = 40;
// Bytes of a fresh item: a null value leaves them.
constexpr char kUntouched = 0x5A;

std::vector<Item> parse_items(std::string_view line) {
  std::vector<Item> items;
  for (std::size_t i = 0; i < line.size() && items.size() < kMaxItems; ++i) {
    if (line[i] == 'i') items.push_back(make_item(ItemType::integer, sizeof(std::int32_t), kUntouched));
    if (line[i] == 'r') items.push_back(make_item(ItemType::real, sizeof(float), kUntouched));
    if (line[i] != 't') continue;
    // At most four digits after the t.
    std::size_t length = kDefaultTextLength;
    const char* end = std::from_chars(line.data() + i + 1, line.data() + std::min(line.size(), i + 5), length).ptr;
    items.push_back(make_item(ItemType::character, std::min(length, kMaxTextLength), kUntouched));
    i = static_cast<std::size_t>(end - line.data()) - 1;
  }
  return items;
}

// Fresh items of the same types and lengths.
void fill_fresh(std::vector<Item>& items) {
  for (Item& item : items) item = make_item(item.type, item.length, kUntouched);
}

void read_statement_of(std::vector<Item>& items) {
  set_locus(kLine);
  st_read(kInputUnit);
  for (Item& item : items) transfer_item(item);
  st_read_done();
}

struct Outcome {
  RunResult result;
  std::vector<std::string> after_each_statement;
};

Outcome read_until_the_end(std::vector<Item>& items, std::string_view input, std::size_t chunk) {
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
          for (const Item& item : items) {
            std::int32_t value = 0;
            if (item.type == ItemType::integer) std::memcpy(&value, item.bytes.get(), sizeof value);
            require(value != std::numeric_limits<std::int32_t>::min(), "no integer answer is -2147483648");
          }
        }
      },
      kRecordLimit);
  return outcome;
}

void check_end(const RunResult& result, std::size_t item_count) {
  require(result.output.empty(), "read statements write nothing to standard output", result.output);
  require(result.status == kStatusRunError, "the reads end only when the run fails, with status 2", result.errors);
  RunErrorReport report = parse_run_error(result.errors);
  require(report.line == kLine && report.unit == kInputUnit, "the locus names the statement and unit 5", result.errors);
  require(is_read_failure(report.reason, static_cast<std::int64_t>(item_count)), "the reason is one of the reader's",
          report.reason);
}

}  // namespace
}  // namespace orbcalc::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbcalc::fuzzing;
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t line_end = all.find('\n');
  if (line_end == std::string_view::npos) return 0;
  std::vector<Item> items = parse_items(all.substr(0, line_end));
  if (items.empty()) return 0;
  std::string_view input = all.substr(line_end + 1);

  Outcome whole = read_until_the_end(items, input, 16384);
  check_end(whole.result, items.size());
  // A few bytes per system read, the number chosen by the input.
  Outcome pieces = read_until_the_end(items, input, 1 + size % 5);
  require(pieces.after_each_statement == whole.after_each_statement && pieces.result.status == whole.result.status &&
              pieces.result.errors == whole.result.errors,
          "the items and the outcome do not depend on how the input arrives", pieces.result.errors);
  return 0;
}
