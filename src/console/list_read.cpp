#include <algorithm>
#include <cstring>
#include <string>

#include "console/list_reader.hpp"
#include "console/runtime.hpp"
#include "console/statement_state.hpp"

namespace orbcalc {
namespace {

constexpr std::size_t kSavedStringCapacity = 300;
constexpr std::int32_t kMaxRepeatCount = 200000000;
constexpr std::int64_t kMaxIntegerMagnitude = 2147483647;

constexpr std::string_view kBadInteger = "Bad integer for item %d in list input";
constexpr std::string_view kIntegerOverflow = "Integer overflow while reading item %d";
constexpr std::string_view kZeroRepeat = "Zero repeat count in item %d of list input";
constexpr std::string_view kRepeatOverflow = "Repeat count overflow in item %d of list input";

bool is_digit(int c) { return c >= '0' && c <= '9'; }
bool is_whitespace(int c) { return c == ' ' || c == '\t' || c == '\r' || c == kLineEnd; }
bool is_quote(int c) { return c == '\'' || c == '"'; }

ListReader reader;

}  // namespace

bool is_terminator(int c) { return is_whitespace(c) || c == '/' || c == ',' || c == kEndOfInput; }

// The reasons of the reader carry the item number in place of "%d".
void ListReader::bad_value(std::string_view layout) const {
  std::string reason(layout);
  reason.replace(reason.find("%d"), 2, std::to_string(item_number_));
  generate_error(kBadValue, reason);
}

void ListReader::end_of_file() const { generate_error(kEndOfFile); }

void ListReader::begin(InputUnit& unit) {
  unit_ = &unit;
  item_number_ = 0;
  first_item_ = true;
  pushed_ = 0;
  unit.read_next_record();
}

void ListReader::eat_whitespace() {
  int c;
  do {
    if (pushed_ == 0) unit_->skip_blanks_in_line();
    c = next_char();
  } while (is_whitespace(c));
  unget_char(c);
}

void ListReader::eat_separator() {
  eat_whitespace();
  int c = next_char();
  if (c == ',') {
    eat_whitespace();
  } else if (c == '/') {
    input_complete_ = true;
  } else {
    unget_char(c);
  }
}

void ListReader::free_saved() {
  saved_type_ = Saved::none;
  saved_string_.clear();
  if (saved_string_.capacity() > kSavedStringCapacity) {
    std::string fresh;
    fresh.reserve(kSavedStringCapacity);
    saved_string_.swap(fresh);
  }
}

void ListReader::list_formatted_read(const TransferItem& item) {
  ++item_number_;
  if (first_item_) {
    first_item_ = false;
    input_complete_ = false;
    repeat_count_ = 1;
    free_saved();
    eat_whitespace();
    int c = next_char();
    if (c == kEndOfInput) end_of_file();
    unget_char(c);
  } else if (input_complete_) {
    return;
  } else if (repeat_count_ > 0) {
    hand_out_copy(item);
    if (--repeat_count_ == 0) free_saved();
    return;
  } else {
    eat_separator();
    if (input_complete_) return;
    repeat_count_ = 1;
  }
  read_value(item.type);
  store(item);
  if (--repeat_count_ == 0) free_saved();
}

void ListReader::read_value(ItemType type) {
  switch (type) {
    case ItemType::integer: read_integer(); break;
    case ItemType::real: read_real(); break;
    case ItemType::character: read_character(); break;
  }
}

int ListReader::read_digits(int c) {
  while (is_digit(c)) {
    push_char(c);
    c = next_char();
  }
  return c;
}

void ListReader::convert_repeat() {
  std::int32_t r = 0;
  for (char digit : saved_string_) {
    int d = digit - '0';
    if (r > kMaxRepeatCount / 10 || kMaxRepeatCount - d < 10 * r) bad_value(kRepeatOverflow);
    r = 10 * r + d;
  }
  if (r == 0) bad_value(kZeroRepeat);
  repeat_count_ = r;
  saved_string_.clear();
}

bool ListReader::begin_value(int& c) {
  c = next_char();
  if (c == ',' || c == '/') {
    unget_char(c);
    return false;
  }
  if (c == kEndOfInput) end_of_file();
  return true;
}

bool ListReader::follow_repeat_count(int& c) {
  convert_repeat();
  c = next_char();
  if (is_terminator(c)) {
    unget_char(c);
    return false;
  }
  return true;
}

void ListReader::read_integer() {
  int c;
  if (!begin_value(c)) return;
  if (is_digit(c)) {
    c = read_digits(c);
    if (c != '*') {
      end_integer(c, false);
      return;
    }
    if (!follow_repeat_count(c)) return;
  }
  bool negative = c == '-';
  if (c == '+' || c == '-') c = next_char();
  if (!is_digit(c)) bad_value(kBadInteger);
  end_integer(read_digits(c), negative);
}

// The digits are read and `c` followed them: only a terminator may.
void ListReader::end_integer(int c, bool negative) {
  if (!is_terminator(c)) bad_value(kBadInteger);
  unget_char(c);
  read_list_integer(negative);
}

void ListReader::read_list_integer(bool negative) {
  std::int64_t magnitude = 0;
  for (char digit : saved_string_) {
    int d = digit - '0';
    if (magnitude > kMaxIntegerMagnitude / 10 || kMaxIntegerMagnitude - d < 10 * magnitude) {
      bad_value(kIntegerOverflow);
    }
    magnitude = 10 * magnitude + d;
  }
  saved_integer_ = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  saved_type_ = Saved::integer;
}

void ListReader::read_character() {
  int c;
  if (!begin_value(c)) return;
  if (is_digit(c)) {
    // Digits are the start of an unquoted text unless an asterisk makes
    // them a repeat count.
    c = read_digits(c);
    if (c != '*') {
      read_unquoted(c);
      return;
    }
    if (!follow_repeat_count(c)) return;
  }
  if (is_quote(c)) {
    read_quoted(c);
  } else {
    read_unquoted(c);
  }
}

void ListReader::read_unquoted(int c) {
  while (!is_terminator(c)) {
    push_char(c);
    c = next_char();
  }
  unget_char(c);
  saved_type_ = Saved::character;
}

void ListReader::read_quoted(int quote) {
  saved_type_ = Saved::character;
  for (;;) {
    int c = next_char();
    if (c == kEndOfInput) {
      unget_char(c);
      return;
    }
    if (c == kLineEnd) continue;
    if (c == quote) {
      int after = next_char();
      if (after != quote) {
        unget_char(after);
        return;
      }
    }
    push_char(c);
  }
}

void ListReader::store(const TransferItem& item) const {
  switch (saved_type_) {
    case Saved::none: return;
    case Saved::integer: std::memcpy(item.address, &saved_integer_, sizeof saved_integer_); return;
    case Saved::real: std::memcpy(item.address, &saved_real_, sizeof saved_real_); return;
    case Saved::character: {
      char* text = static_cast<char*>(item.address);
      std::size_t n = std::min(saved_string_.size(), item.length);
      std::memcpy(text, saved_string_.data(), n);
      std::fill(text + n, text + item.length, ' ');
      return;
    }
  }
}

void ListReader::hand_out_copy(const TransferItem& item) {
  if (saved_type_ == Saved::none) return;
  ItemType saved = saved_type_ == Saved::integer ? ItemType::integer
                   : saved_type_ == Saved::real  ? ItemType::real
                                                 : ItemType::character;
  if (saved != item.type) {
    std::string reason = "Read type " + std::string(type_name(saved)) + " where " +
                         std::string(type_name(item.type)) + " was expected for item " +
                         std::to_string(item_number_);
    generate_error(kBadValue, reason);
  }
  store(item);
}

void ListReader::finish_list_read() {
  free_saved();
  int c;
  do {
    c = next_char();
  } while (c != kLineEnd && c != kEndOfInput);
  pushed_ = 0;
}

void begin_read(InputUnit& unit) { reader.begin(unit); }
void read_item(const TransferItem& item) { reader.list_formatted_read(item); }
void end_read() { reader.finish_list_read(); }

}  // namespace orbcalc
