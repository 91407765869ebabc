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

void OutputUnit::move_character_position(std::size_t n) {
  position_ += std::min(n, record_.limit() - position_);
}

void OutputUnit::next_record() {
  char* bytes = stream_.salloc_w(extent_);
  if (extent_ > 0) std::memcpy(bytes, record_.data(), extent_);
  stream_.sfree();
  std::memcpy(stream_.salloc_w(kRecordTerminator.size()), kRecordTerminator.data(),
              kRecordTerminator.size());
  stream_.sfree();
  start_record();
}

int OutputUnit::close() {
  record_.release();
  start_record();
  return stream_.close();
}

}  // namespace orbcalc
