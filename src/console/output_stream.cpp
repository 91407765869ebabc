#include "console/output_stream.hpp"

#include <algorithm>
#include <cstring>

#include "console/runtime.hpp"

namespace orbcalc {

char* OutputStream::salloc_w(std::size_t n) {
  if (pending_ + n > buffer_.capacity()) {
    int error = flush_stream();
    if (error != 0) generate_error(kOsError, platform_.error_text(error));
    buffer_.reserve(std::max(n, kStagingSize));
  }
  char* reserved = buffer_.data() + pending_;
  pending_ += n;
  return reserved;
}

int OutputStream::flush_stream() {
  std::size_t written = 0;
  int error = 0;
  while (written < pending_) {
    IoResult r = platform_.write(handle_, {buffer_.data() + written, pending_ - written});
    if (r.error != 0) {
      error = r.error;
      break;
    }
    written += r.count;
  }
  if (written > 0) {
    std::memmove(buffer_.data(), buffer_.data() + written, pending_ - written);
    pending_ -= written;
  }
  return error;
}

int OutputStream::close() {
  int error = flush_stream();
  buffer_.release();
  pending_ = 0;
  return error;
}

}  // namespace orbcalc
