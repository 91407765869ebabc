#include "fuzz_check.hpp"

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
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      shown += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  if (bytes.size() > 2000) shown += "...";
  return shown;
}

// The number at the front of `text` with its optional minus sign, taken
// off `text`; false when there is none.
bool take_number(std::string_view& text, std::int64_t& value) {
  std::size_t length = text.starts_with('-') ? 1 : 0;
  while (length < text.size() && text[length] >= '0' && text[length] <= '9') ++length;
  if (length == 0 || (length == 1 && text[0] == '-')) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + length, value);
  // A number too long for 64 bits still has the shape; it keeps no value.
  if (error != std::errc{}) value = INT64_MIN;
  text.remove_prefix(length);
  return true;
}

bool take_type_word(std::string_view& text) {
  for (std::string_view word : kTypeWords) {
    if (text.starts_with(word)) {
      text.remove_prefix(word.size());
      return true;
    }
  }
  return false;
}

// Takes `prefix` off the front of `text`; false when it is not there.
bool take(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

void require(bool holds, std::string_view rule, std::string_view seen) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %.*s\n  seen: %s\n", static_cast<int>(rule.size()), rule.data(),
               printable(seen).c_str());
  std::abort();
}

bool matches(std::string_view pattern, std::string_view text, std::vector<std::int64_t>* numbers) {
  std::vector<std::int64_t> found;
  while (!pattern.empty()) {
    if (pattern.starts_with("%d")) {
      std::int64_t value = 0;
      if (!take_number(text, value)) return false;
      found.push_back(value);
      pattern.remove_prefix(2);
    } else if (pattern.starts_with("%s")) {
      if (!take_type_word(text)) return false;
      pattern.remove_prefix(2);
    } else {
      if (text.empty() || text.front() != pattern.front()) return false;
      text.remove_prefix(1);
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
  if (errors.starts_with("At line ")) {
    std::string_view rest = errors.substr(8);
    std::int64_t line = 0;
    require(take_number(rest, line) && line > 0 && take(rest, " of file orbcalc"),
            "a locus line names its line and the source unit orbcalc", all);
    report.line = static_cast<int>(line);
    if (take(rest, " (Unit ")) {
      std::int64_t unit = 0;
      require(take_number(rest, unit) && take(rest, ")"), "a locus line names its unit", all);
      report.unit = static_cast<int>(unit);
    }
    require(take(rest, "\n"), "the locus line ends with a line feed", all);
    errors = rest;
  }
  require(take(errors, kTraceback), "the traceback notice follows the locus", all);
  require(take(errors, kReasonPrefix), "the reason line follows the traceback notice", all);
  require(errors.ends_with('\n'), "the reason line ends with a line feed", all);
  report.reason = std::string(errors.substr(0, errors.size() - 1));
  return report;
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
