#include "console/input_unit.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "console/runtime.hpp"

namespace orbcalc {

void InputUnit::read_next_record() {
  length_ = position_ = 0;
  if (end_of_input_) generate_error(kEndOfFile);
  for (;;) {
    std::span<const char> piece = take_piece();
    if (piece.empty()) {
      end_of_input_ = true;
      return;
    }
    if (piece.back() != '\n') {
      append_to_line(piece);
      continue;
    }
    // The LF goes, and a CR right before it, even one that ended the
    // previous piece. A CR in this piece goes before the line grows, so a
    // line ended by CR LF has the same room under the limit as one ended
    // by LF.
    std::span<const char> line = piece.first(piece.size() - 1);
    if (!line.empty() && line.back() == '\r') {
      append_to_line(line.first(line.size() - 1));
    } else {
      append_to_line(line);
      if (line.empty() && length_ > 0 && record_.data()[length_ - 1] == '\r') --length_;
    }
    return;
  }
}

std::span<const char> InputUnit::take_piece() {
  staging_.reserve(kStagingSize);
  char* staged = staging_.data();
  auto find_line_end = [&](std::size_t from) {
    return static_cast<const char*>(std::memchr(staged + from, '\n', staged_end_ - from));
  };
  const char* line_end = find_line_end(staged_begin_);
  if (line_end == nullptr) {
    std::memmove(staged, staged + staged_begin_, staged_end_ - staged_begin_);
    staged_end_ -= staged_begin_;
    staged_begin_ = 0;
    while (line_end == nullptr && staged_end_ < kStagingSize) {
      IoResult r = platform_.read(handle_, {staged + staged_end_, kStagingSize - staged_end_});
      if (r.error != 0) generate_error(kOsError, platform_.error_text(r.error));
      if (r.count == 0) break;
      std::size_t from = staged_end_;
      staged_end_ += r.count;
      line_end = find_line_end(from);
    }
  }
  std::size_t piece_end = line_end != nullptr ? static_cast<std::size_t>(line_end - staged) + 1 : staged_end_;
  std::span<const char> piece(staged + staged_begin_, piece_end - staged_begin_);
  staged_begin_ = piece_end;
  return piece;
}

void InputUnit::append_to_line(std::span<const char> piece) {
  if (piece.empty()) return;
  if (piece.size() > record_.limit() - length_ || !record_.reserve(length_ + piece.size())) {
    generate_error(kReadPastRecord);
  }
  std::memcpy(record_.data() + length_, piece.data(), piece.size());
  length_ += piece.size();
}

namespace {

bool is_blank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

std::size_t InputUnit::skip_blanks_in_line() {
  const char* line = record_.data();
  std::size_t start = position_;
#if defined(__SSE2__)
  // Sixteen bytes at a time: a line of a hundred megabytes of blanks is
  // passed over at memory speed.
  constexpr std::size_t kBlock = 16;
  const __m128i space = _mm_set1_epi8(' ');
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i carriage_return = _mm_set1_epi8('\r');
  while (position_ + kBlock <= length_) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + position_));
    const __m128i blank = _mm_or_si128(
        _mm_cmpeq_epi8(bytes, space), _mm_or_si128(_mm_cmpeq_epi8(bytes, tab), _mm_cmpeq_epi8(bytes, carriage_return)));
    const auto others = static_cast<unsigned>(~_mm_movemask_epi8(blank)) & 0xFFFFu;
    if (others != 0) {
      position_ += static_cast<std::size_t>(std::countr_zero(others));
      return position_ - start;
    }
    position_ += kBlock;
  }
#endif
  while (position_ < length_ && is_blank(static_cast<unsigned char>(line[position_]))) ++position_;
  return position_ - start;
}

}  // namespace orbcalc
