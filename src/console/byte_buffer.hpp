// The growable byte buffers of the console units: input lines, output
// records, the staging of their streams and the text of a free-form value.
// They are the layer's only working memory, taken with malloc and realloc;
// memory that cannot be had ends the run through os_error.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <limits>

namespace orbcalc {

// The staging buffer of an input or output stream.
inline constexpr std::size_t kStagingSize = 16384;

class ByteBuffer {
 public:
  static constexpr std::size_t kInitialCapacity = 2000;

  explicit ByteBuffer(std::size_t limit = std::numeric_limits<std::size_t>::max()) : limit_(limit) {}
  ~ByteBuffer() { std::free(bytes_); }
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  // Makes room for `needed` bytes, keeping the contents. The buffer is
  // first allocated at 2000 bytes and then grows to twice its size (at most
  // the limit) or to `needed`, whichever is larger. False when `needed`
  // passes the limit.
  bool reserve(std::size_t needed) {
    if (needed <= capacity_) return true;
    return needed <= limit_ && grow(needed);
  }

  // Gives the memory back; the contents are lost.
  void release();

  char* data() { return bytes_; }
  const char* data() const { return bytes_; }
  std::size_t capacity() const { return capacity_; }
  std::size_t limit() const { return limit_; }

 private:
  bool grow(std::size_t needed);

  // Grown with realloc: a large buffer is moved to its new size by the
  // system's page tables, not copied into fresh pages.
  char* bytes_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t limit_;
};

}  // namespace orbcalc
