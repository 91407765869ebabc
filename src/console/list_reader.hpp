// The free-form reader: values separated by blanks, commas or line ends,
// with repeat counts, null values and the slash, for one read statement
// at a time.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <optional>
#include <string_view>

#include "console/byte_buffer.hpp"
#include "console/input_unit.hpp"
#include "console/item.hpp"

namespace orbcalc {

class ListReader {
 public:
  // st_read: a new statement starts on a fresh line.
  void begin(InputUnit& unit);
  // One item of the statement.
  void list_formatted_read(const TransferItem& item);
  // st_read_done: the rest of the line is discarded.
  void finish_list_read();

 private:
  // Characters, with up to three given back.
  int next_char() {
    if (pushed_ > 0) return pushback_[--pushed_];
    return unit_->next_list_char();
  }
  void unget_char(int c) {
    assert(pushed_ < pushback_.size());
    pushback_[pushed_++] = c;
  }
  void push_char(int c) {
    saved_.reserve(saved_length_ + 1);
    saved_.data()[saved_length_++] = static_cast<char>(c);
  }
  std::string_view saved_string() const { return {saved_.data(), saved_length_}; }

  void eat_whitespace();
  void eat_separator();
  void free_saved();

  // Ends the run with this reason, its "%d" the item number.
  [[noreturn]] void bad_value(std::string_view reason) const;

  // Reading values. A null value leaves saved_type_ empty.
  void read_value(ItemType type);
  // Takes the first character of a value into c; false for a null value.
  bool begin_value(int& c);
  // On the asterisk of a repeat count: reads the count, then the
  // character after the asterisk into c; false when that gives null values.
  bool follow_repeat_count(int& c);
  void end_integer(int c, bool negative);
  void read_integer();
  void read_real();
  void read_character();
  // Everything up to the next terminator, for an unquoted text.
  void read_unquoted(int c);
  void read_quoted(int quote);
  // The digits of a number; returns the character that followed them.
  int read_digits(int c);
  // The repeat count in the saved string, read when its asterisk is met.
  void convert_repeat();
  void read_list_integer(bool negative);
  // The real forms.
  void scan_real_number(int c);
  void parse_exceptional(int c, bool negative);
  void expect_letters(std::string_view letters, std::string_view failure);

  void store(const TransferItem& item) const;
  void hand_out_copy(const TransferItem& item);

  InputUnit* unit_ = nullptr;
  int item_number_ = 0;
  bool first_item_ = true;
  bool input_complete_ = false;
  std::int32_t repeat_count_ = 1;
  std::optional<ItemType> saved_type_;
  std::int32_t saved_integer_ = 0;
  // Kept as bits, so a NaN's payload reaches the item untouched.
  std::uint32_t saved_real_ = 0;
  // The text of the value being read; after it is read, its digits or its
  // characters.
  ByteBuffer saved_;
  std::size_t saved_length_ = 0;
  std::array<int, 3> pushback_{};
  std::size_t pushed_ = 0;
};

bool is_terminator(int c);

}  // namespace orbcalc
