// An output console unit: the record being built, where the next field
// goes, and the staging buffer its finished records pass through on their
// way to the system. Every console unit is unbuffered: pending bytes are
// handed over as soon as a reservation is released.
#pragma once

#include <cstddef>

#include "console/byte_buffer.hpp"
#include "console/platform.hpp"

namespace orbcalc {

class OutputUnit {
 public:
  OutputUnit(Platform& platform, StdStream handle, std::size_t record_limit)
      : platform_(platform), handle_(handle), record_(record_limit) {}

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
  // system, and starts a fresh record.
  void next_record();

  // Hands every pending byte to the system with as many writes as it
  // takes. On a failed write the unwritten bytes stay pending for the
  // next attempt and the system's error code is returned; 0 on success.
  int flush_stream();

  // Hands over what is pending; the system's error code when output was
  // refused (and is now lost), or 0. The buffers go with the unit.
  int close() { return flush_stream(); }

 private:
  // Reserves n staged bytes after the pending ones. When they do not fit
  // and the pending bytes still cannot be written, the run ends with the
  // system's reason. A reservation larger than the staging size gets a
  // buffer of its own size.
  char* salloc_w(std::size_t n);
  // Releases the reservation: all pending bytes go to the system at once.
  void sfree() { flush_stream(); }

  Platform& platform_;
  StdStream handle_;
  ByteBuffer record_;
  std::size_t position_ = 0;
  std::size_t extent_ = 0;
  ByteBuffer staging_;
  std::size_t pending_ = 0;
};

}  // namespace orbcalc
