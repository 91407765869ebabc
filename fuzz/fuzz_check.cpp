#include "fuzz_check.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace orbcalc::fuzzing {
namespace {

constexpr std::string_view kTraceback =
    "Traceback: not available, compile with call tracing, which orbcalc does not offer\n";
constexpr std::string_view kReasonPrefix = "Merovan runtime error: ";
constexpr std::string_view kTypeWords[] = {"INTEGER", "REAL", "CHARACTER"};

// Shows control bytes and bytes above 0x7E as \xHH.
std::string printable(std::string_view bytes) {
  std::string shown;
  for (char c : bytes.substr(0, 2000)) {
    auto byte = static_cast<unsigned char>(c);
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, byte >= 0x20 && byte < 0x7F && byte != '\\' ? "%c" : "\\x%02X", byte);
    shown += escaped;
  }
  return bytes.size() > 2000 ? shown + "..." : shown;
}

// The number at the front of `text` with its optional minus sign, taken
// off `text`; false when there is none.
bool take_number(std::string_view& text, std::int64_t& value) {
  const std::size_t sign = text.starts_with('-') ? 1 : 0;
  const std::size_t length = std::min(text.find_first_not_of("0123456789", sign), text.size());
  if (length == sign) return false;
  // A number too long for 64 bits still has the shape; it keeps no value.
  if (std::from_chars(text.data(), text.data() + length, value).ec != std::errc{}) value = INT64_MIN;
  text.remove_prefix(length);
  return true;
}

// Takes `prefix` off the front of `text`; false when it is not there.
bool take(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

bool take_type_word(std::string_view& text) {
  return std::any_of(std::begin(kTypeWords), std::end(kTypeWords),
                     [&](std::string_view word) { return take(text, word); });
}

}  // namespace

Item make_item(ItemType type, std::size_t length, char fill) {
  Item item{type, length, std::make_unique<char[]>(length)};
  std::fill_n(item.bytes.get(), length, fill);
  return item;
}

Item make_item(ItemType type, std::string_view value) {
  Item item = make_item(type, value.size(), 0);
  std::copy(value.begin(), value.end(), item.bytes.get());
  return item;
}

void transfer_item(Item& item) {
  switch (item.type) {
    case ItemType::integer: return transfer_integer(*reinterpret_cast<std::int32_t*>(item.bytes.get()));
    case ItemType::real: return transfer_real(*reinterpret_cast<float*>(item.bytes.get()));
    case ItemType::character: return transfer_character({item.bytes.get(), item.length});
  }
}

std::string snapshot(const std::vector<Item>& items) {
  std::string bytes;
  for (const Item& item : items) bytes.append(item.bytes.get(), item.length);
  return bytes;
}

void require(bool holds, std::string_view rule, std::string_view seen) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %.*s\n  seen: %s\n", static_cast<int>(rule.size()), rule.data(),
               printable(seen).c_str());
  std::abort();
}

bool matches(std::string_view pattern, std::string_view text, std::vector<std::int64_t>* numbers) {
  std::vector<std::int64_t> found;
  while (!pattern.empty()) {
    std::int64_t value = 0;
    if (take(pattern, "%d")) {
      if (!take_number(text, value)) return false;
      found.push_back(value);
    } else if (take(pattern, "%s")) {
      if (!take_type_word(text)) return false;
    } else if (!take(text, pattern.substr(0, 1))) {
      return false;
    } else {
      pattern.remove_prefix(1);
    }
  }
  if (!text.empty()) return false;
  if (numbers != nullptr) numbers->insert(numbers->end(), found.begin(), found.end());
  return true;
}

std::string_view matching_pattern(std::span<const std::string_view> patterns, std::string_view text,
                                  std::vector<std::int64_t>* numbers) {
  for (std::string_view pattern : patterns) {
    if (matches(pattern, text, numbers)) return pattern;
  }
  return {};
}

RunErrorReport parse_run_error(std::string_view errors) {
  const std::string_view all = errors;
  RunErrorReport report;
  if (take(errors, "At line ")) {
    std::int64_t line = 0, unit = -1;
    require(take_number(errors, line) && line > 0 && take(errors, " of file orbcalc") &&
                (!take(errors, " (Unit ") || (take_number(errors, unit) && take(errors, ")"))) && take(errors, "\n"),
            "a locus line names its line, the source unit orbcalc and perhaps the console unit", all);
    report.line = static_cast<int>(line);
    report.unit = static_cast<int>(unit);
  }
  require(take(errors, kTraceback), "the traceback notice follows the locus", all);
  require(take(errors, kReasonPrefix), "the reason line follows the traceback notice", all);
  require(errors.ends_with('\n'), "the reason line ends with a line feed", all);
  report.reason = std::string(errors.substr(0, errors.size() - 1));
  return report;
}

bool is_read_failure(std::string_view reason, std::int64_t items) {
  std::vector<std::int64_t> numbers;
  if (reason == kEndOfFile || reason == kLineTooLong) return true;
  if (matching_pattern(kReaderReasons, reason, &numbers).empty()) return false;
  require(numbers.back() >= 1 && numbers.back() <= items, "the reason names an item of the statement", reason);
  return true;
}

void require_whole_records(const std::vector<std::string>& writes) {
  bool inside_record = false;
  for (const std::string& write : writes) {
    if (write == "\r\n") {
      inside_record = false;
      continue;
    }
    require(!write.empty(), "no empty write reaches the system");
    require(!inside_record, "a record's bytes are followed by its terminator", write);
    inside_record = true;
  }
  require(!inside_record, "the last record has its terminator", writes.empty() ? "" : writes.back());
}

}  // namespace orbcalc::fuzzing
