#include "support/memory_platform.hpp"

#include <algorithm>
#include <cstring>

namespace orbcalc::testing {

IoResult MemoryPlatform::read(StdStream, std::span<char> into) {
  ++read_calls_;
  if (read_error_ != 0) return {0, read_error_};
  std::size_t n = std::min({into.size(), read_chunk_, input_.size() - consumed_});
  std::memcpy(into.data(), input_.data() + consumed_, n);
  consumed_ += n;
  return {n, 0};
}

IoResult MemoryPlatform::write(StdStream stream, std::span<const char> bytes) {
  if (stream == StdStream::error) {
    errors_.append(bytes.data(), bytes.size());
    return {bytes.size(), 0};
  }
  std::size_t n = bytes.size();
  if (output_error_ != 0) {
    if (output_budget_ == 0) return {0, output_error_};
    n = std::min(n, output_budget_);
    output_budget_ -= n;
  }
  output_.append(bytes.data(), n);
  output_writes_.emplace_back(bytes.data(), n);
  return {n, 0};
}

std::string MemoryPlatform::error_text(int error) { return "system error " + std::to_string(error); }

}  // namespace orbcalc::testing
