// The byte stream under an output console unit: a staging buffer whose
// pending bytes are handed to the system as soon as a reservation is
// released, since every console unit is unbuffered.
#pragma once

#include <cstddef>

#include "console/byte_buffer.hpp"
#include "console/platform.hpp"

namespace orbcalc {

class OutputStream {
 public:
  OutputStream(Platform& platform, StdStream handle) : platform_(platform), handle_(handle) {}

  // Reserves n bytes after the pending ones and returns where they go.
  // When they do not fit and the pending bytes still cannot be written,
  // the run ends with the system's reason.
  char* salloc_w(std::size_t n);

  // Releases the reservation: all pending bytes go to the system at once.
  void sfree() { flush_stream(); }

  // Hands every pending byte to the system with as many writes as it
  // takes. On a failed write the unwritten bytes stay pending for the
  // next attempt and the system's error code is returned; 0 on success.
  int flush_stream();

  // Closes the stream: pending bytes are handed over as flush_stream does,
  // and the staging buffer is given back. Returns the error of the flush.
  int close();

 private:
  Platform& platform_;
  StdStream handle_;
  // Allocated at the first reservation; one larger than the staging size
  // gets a buffer of its own size.
  ByteBuffer buffer_;
  std::size_t pending_ = 0;
};

}  // namespace orbcalc
