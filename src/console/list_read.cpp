#include <algorithm>
#include <charconv>
#include <cstring>

#include "console/error_print.hpp"
#include "console/list_reader.hpp"
#include "console/runtime.hpp"
#include "console/text.hpp"

namespace orbcalc {
namespace {

constexpr std::int32_t kMaxRepeatCount = 200000000;

constexpr std::string_view kBadInteger = "Bad integer for item %d in list input";
constexpr std::string_view kIntegerOverflow = "Integer overflow while reading item %d";
constexpr std::string_view kZeroRepeat = "Zero repeat count in item %d of list input";
constexpr std::string_view kRepeatOverflow = "Repeat count overflow in item %d of list input";
constexpr std::string_view kWrongType = "Read type %s where %s was expected for item %d";

bool is_whitespace(int c) { return c == ' ' || c == '\t' || c == '\r' || c == kLineEnd; }
bool is_quote(int c) { return c == '\'' || c == '"'; }

}  // namespace

bool is_terminator(int c) { return is_whitespace(c) || c == '/' || c == ',' || c == kEndOfInput; }

void ListReader::bad_value(std::string_view reason) const {
  generate_error(kBadValue, message(reason, {item_number_}));
}

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
  saved_type_.reset();
  saved_length_ = 0;
  // A long text does not keep its memory after its value.
  if (saved_.capacity() > ByteBuffer::kInitialCapacity) saved_.release();
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
    if (c == kEndOfInput) generate_error(kEndOfFile);
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
  read_value(type_of(item));
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
  const std::string_view digits = saved_string();
  if (std::from_chars(digits.data(), digits.data() + digits.size(), r).ec != std::errc{} || r > kMaxRepeatCount) {
    bad_value(kRepeatOverflow);
  }
  if (r == 0) bad_value(kZeroRepeat);
  repeat_count_ = r;
  saved_length_ = 0;
}

bool ListReader::begin_value(int& c) {
  c = next_char();
  if (c == ',' || c == '/') {
    unget_char(c);
    return false;
  }
  if (c == kEndOfInput) generate_error(kEndOfFile);
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
  // The magnitude must fit, so the most negative value is refused too.
  std::int32_t magnitude = 0;
  const std::string_view digits = saved_string();
  if (std::from_chars(digits.data(), digits.data() + digits.size(), magnitude).ec != std::errc{}) {
    bad_value(kIntegerOverflow);
  }
  saved_integer_ = negative ? -magnitude : magnitude;
  saved_type_ = ItemType::integer;
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
  saved_type_ = ItemType::character;
}

void ListReader::read_quoted(int quote) {
  saved_type_ = ItemType::character;
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

// The saved value goes to the item, whose type is the one it was read as.
void ListReader::store(const TransferItem& item) const {
  if (!saved_type_) return;
  switch (*saved_type_) {
    case ItemType::integer: *std::get<std::int32_t*>(item) = saved_integer_; return;
    case ItemType::real: std::memcpy(std::get<float*>(item), &saved_real_, sizeof saved_real_); return;
    case ItemType::character: {
      std::span<char> text = std::get<std::span<char>>(item);
      std::size_t n = std::min(saved_length_, text.size());
      if (n > 0) std::memcpy(text.data(), saved_.data(), n);
      std::fill(text.begin() + static_cast<std::ptrdiff_t>(n), text.end(), ' ');
      return;
    }
  }
}

void ListReader::hand_out_copy(const TransferItem& item) {
  if (!saved_type_) return;
  if (*saved_type_ != type_of(item)) {
    generate_error(kBadValue, message(kWrongType, {type_name(*saved_type_), type_name(type_of(item)), item_number_}));
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

}  // namespace orbcalc
