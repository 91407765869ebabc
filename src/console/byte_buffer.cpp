#include "console/byte_buffer.hpp"

#include <algorithm>

#include "console/runtime.hpp"

namespace orbcalc {

bool ByteBuffer::grow(std::size_t needed) {
  const std::size_t doubled = capacity_ == 0 ? kInitialCapacity : capacity_ * 2;
  const std::size_t capacity = std::max(std::min(doubled, limit_), needed);
  void* bytes = std::realloc(bytes_, capacity);
  if (bytes == nullptr) os_error(kMemoryAllocationFailed);
  bytes_ = static_cast<char*>(bytes);
  capacity_ = capacity;
  return true;
}

void ByteBuffer::release() {
  std::free(bytes_);
  bytes_ = nullptr;
  capacity_ = 0;
}

}  // namespace orbcalc
