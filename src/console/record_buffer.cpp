#include "console/record_buffer.hpp"

#include <algorithm>
#include <cstring>
#include <new>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {
constexpr std::size_t kInitialCapacity = 2000;
}

bool RecordBuffer::reserve(std::size_t needed, std::size_t keep) {
  if (needed > limit_) return false;
  if (needed <= capacity_) return true;
  std::size_t grown = capacity_ == 0 ? kInitialCapacity : capacity_ * 2;
  std::size_t capacity = std::max(std::min(grown, limit_), needed);
  try {
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (keep > 0) std::memcpy(bytes.get(), bytes_.get(), keep);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  } catch (const std::bad_alloc&) {
    os_error(kMemoryAllocationFailed);
  }
  return true;
}

}  // namespace orbcalc
