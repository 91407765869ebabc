// The byte stream under an output console unit: a staging buffer whose
// pending bytes are handed to the system as soon as a reservation is
// released, since every console unit is unbuffered.
#pragma once

#include <cstddef>
#include <memory>

#include "console/platform.hpp"

namespace orbcalc {

class OutputStream {
 public:
  explicit OutputStream(StdStream handle);

  // Reserves n bytes after the pending ones and returns where they go.
  // When they do not fit and the pending bytes still cannot be written,
  // the run ends with the system's reason.
  char* salloc_w(std::size_t n);

  // Releases the reservation: all pending bytes go to the system at once.
  void sfree();

  // Hands every pending byte to the system with as many writes as it
  // takes. On a failed write the unwritten bytes stay pending for the
  // next attempt and the system's error code is returned; 0 on success.
  int flush_stream();

  // Forgets the pending bytes, for output the system has refused for good.
  void discard_pending() { pending_ = 0; }

 private:
  StdStream handle_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t pending_ = 0;
};

}  // namespace orbcalc
