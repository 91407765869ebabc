#include "console/output_unit.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {
constexpr std::string_view kRecordTerminator = "\r\n";
}

char* OutputUnit::write_block(std::size_t n) {
  std::size_t end = position_ + n;
  if (n > record_.limit() - position_ || !record_.reserve(end)) generate_error(kWritePastRecord);
  char* bytes = record_.data();
  if (position_ > extent_) std::fill(bytes + extent_, bytes + position_, ' ');
  char* block = bytes + position_;
  position_ = end;
  extent_ = std::max(extent_, position_);
  return block;
}

void OutputUnit::move_character_position(std::size_t n) { position_ += std::min(n, record_.limit() - position_); }

void OutputUnit::next_record() {
  char* bytes = salloc_w(extent_);
  if (extent_ > 0) std::memcpy(bytes, record_.data(), extent_);
  sfree();
  std::memcpy(salloc_w(kRecordTerminator.size()), kRecordTerminator.data(), kRecordTerminator.size());
  sfree();
  start_record();
}

char* OutputUnit::salloc_w(std::size_t n) {
  if (pending_ + n > staging_.capacity()) {
    int error = flush_stream();
    if (error != 0) generate_error(kOsError, platform_.error_text(error));
    staging_.reserve(std::max(n, kStagingSize));
  }
  char* reserved = staging_.data() + pending_;
  pending_ += n;
  return reserved;
}

int OutputUnit::flush_stream() {
  std::size_t written = 0;
  int error = 0;
  while (written < pending_) {
    IoResult r = platform_.write(handle_, {staging_.data() + written, pending_ - written});
    if (r.error != 0) {
      error = r.error;
      break;
    }
    written += r.count;
  }
  if (written > 0) {
    std::memmove(staging_.data(), staging_.data() + written, pending_ - written);
    pending_ -= written;
  }
  return error;
}

}  // namespace orbcalc
