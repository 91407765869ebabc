#include "console/output_stream.hpp"

#include <cstring>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {
constexpr std::size_t kStagingSize = 16384;
}

OutputStream::OutputStream(StdStream handle)
    : handle_(handle), buffer_(new char[kStagingSize]),
      capacity_(kStagingSize) {}

char* OutputStream::salloc_w(std::size_t n) {
  if (pending_ + n > capacity_) {
    int error = flush_stream();
    if (error != 0) generate_error(kOsError, runtime_platform().error_text(error));
    if (n > capacity_) {
      // A single reservation larger than the staging buffer gets a buffer
      // of its own size; nothing is pending at this point.
      buffer_.reset(new char[n]);
      capacity_ = n;
    }
  }
  char* reserved = buffer_.get() + pending_;
  pending_ += n;
  return reserved;
}

void OutputStream::sfree() { flush_stream(); }

int OutputStream::flush_stream() {
  Platform& platform = runtime_platform();
  std::size_t written = 0;
  int error = 0;
  while (written < pending_) {
    IoResult r = platform.write(handle_, {buffer_.get() + written, pending_ - written});
    if (r.error != 0) {
      error = r.error;
      break;
    }
    written += r.count;
  }
  if (written > 0) {
    std::memmove(buffer_.get(), buffer_.get() + written, pending_ - written);
    pending_ -= written;
  }
  return error;
}

}  // namespace orbcalc
