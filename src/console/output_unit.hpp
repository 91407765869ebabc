// An output console unit: the record being built, where the next field
// goes, and the stream its finished records go to.
#pragma once

#include <cstddef>
#include <string_view>

#include "console/output_stream.hpp"
#include "console/record_buffer.hpp"

namespace orbcalc {

class OutputUnit {
 public:
  OutputUnit(int number, StdStream handle, std::size_t record_limit);

  int number() const { return number_; }
  OutputStream& stream() { return stream_; }

  // Starts a fresh, empty record.
  void start_record() { position_ = extent_ = 0; }

  // Room for n bytes at the position, which then advances past them. A
  // record that would pass the record length limit ends the run.
  char* write_block(std::size_t n);

  // Moves the position n columns on, at most to the record length limit.
  // Columns skipped beyond the extent turn into blanks only when something
  // is written after them.
  void move_character_position(std::size_t n);

  // Hands the record's bytes and then the terminator 0x0D 0x0A to the
  // stream, and starts a fresh record.
  void next_record();

 private:
  int number_;
  OutputStream stream_;
  RecordBuffer record_;
  std::size_t position_ = 0;
  std::size_t extent_ = 0;
};

}  // namespace orbcalc
