#include "console/record_buffer.hpp"

#include <algorithm>
#include <cstdlib>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {
constexpr std::size_t kInitialCapacity = 2000;
}

bool RecordBuffer::reserve(std::size_t needed) {
  if (needed > limit_) return false;
  if (needed <= capacity_) return true;
  std::size_t doubled = capacity_ == 0 ? kInitialCapacity : capacity_ * 2;
  std::size_t capacity = std::max(std::min(doubled, limit_), needed);
  void* bytes = std::realloc(bytes_.get(), capacity);
  if (bytes == nullptr) os_error(kMemoryAllocationFailed);
  (void)bytes_.release();  // realloc has taken it over
  bytes_.reset(static_cast<char*>(bytes));
  capacity_ = capacity;
  return true;
}

}  // namespace orbcalc
