// An input console unit: lines of standard input taken out of a staging
// buffer into the record buffer, and delivered one character at a time.
#pragma once

#include <cstddef>
#include <span>

#include "console/byte_buffer.hpp"
#include "console/platform.hpp"

namespace orbcalc {

// Character values are the bytes 0 to 255 and this marker, which equals
// no byte. A line end is delivered as the LF byte.
inline constexpr int kEndOfInput = -1;
inline constexpr int kLineEnd = '\n';

class InputUnit {
 public:
  InputUnit(Platform& platform, StdStream handle, std::size_t record_limit)
      : platform_(platform), handle_(handle), record_(record_limit) {}

  // Reads the next line into the record buffer, without its LF and
  // without a CR right before that LF. A read that returns no bytes sets
  // the end-of-input flag; asking for a line after that is end of file.
  void read_next_record();

  // The next character of the line, its end as LF (or, once the input has
  // ended, as the end-of-input marker), then the next line's characters.
  int next_list_char() {
    if (position_ > length_) read_next_record();
    if (position_ == length_) {
      ++position_;
      return end_of_input_ ? kEndOfInput : kLineEnd;
    }
    return static_cast<unsigned char>(record_.data()[position_++]);
  }

  // Passes over blanks, tabs and CRs in the current line and returns how
  // many there were; the line end itself is left in place.
  std::size_t skip_blanks_in_line();

 private:
  // Bytes of the current line up to and including its LF, reading more
  // from the system when none is buffered. Empty at the end of the input.
  std::span<const char> take_piece();
  void append_to_line(std::span<const char> piece);

  Platform& platform_;
  StdStream handle_;
  ByteBuffer staging_;
  std::size_t staged_begin_ = 0;
  std::size_t staged_end_ = 0;
  ByteBuffer record_;
  std::size_t length_ = 0;
  std::size_t position_ = 0;
  bool end_of_input_ = false;
};

}  // namespace orbcalc
