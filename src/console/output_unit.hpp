// An output console unit: the record being built, where the next field
// goes, and the stream its finished records go to.
#pragma once

#include <cstddef>

#include "console/byte_buffer.hpp"
#include "console/output_stream.hpp"

namespace orbcalc {

class OutputUnit {
 public:
  OutputUnit(Platform& platform, StdStream handle, std::size_t record_limit)
      : stream_(platform, handle), record_(record_limit) {}

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

  // Hands over what is pending and gives the buffers back; the system's
  // error code when output was refused (and is now lost), or 0.
  int close();

 private:
  OutputStream stream_;
  ByteBuffer record_;
  std::size_t position_ = 0;
  std::size_t extent_ = 0;
};

}  // namespace orbcalc
