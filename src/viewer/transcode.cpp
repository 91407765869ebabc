#include "viewer/transcode.hpp"

#include <cerrno>
#include <cstddef>

namespace orbcalc::viewer {

namespace {

// "CP932", not "SJIS": the two differ at 0x5C and 0x7E, which CP932 keeps
// as the ASCII backslash and tilde, as the Japanese consoles show them.
constexpr const char* kProgramCharset = "CP932";
constexpr const char* kTerminalCharset = "UTF-8";

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kCp932Replacement = "?";

// The length of the UTF-8 character at the start of bytes when its lead
// byte and continuation bytes are all there and well formed, else 1: a
// whole character without a CP932 form is replaced once, a stray byte on
// its own.
std::size_t utf8_character_length(const unsigned char* bytes, std::size_t available) {
  const unsigned char lead = bytes[0];
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  }
  if (length > available) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) return 1;
  }
  return length;
}

}  // namespace

Transcoder::Transcoder(Direction direction)
    : direction_(direction),
      descriptor_(direction == Direction::kToUtf8 ? iconv_open(kTerminalCharset, kProgramCharset)
                                                  : iconv_open(kProgramCharset, kTerminalCharset)) {}

Transcoder::~Transcoder() {
  if (ok()) iconv_close(descriptor_);
}

void Transcoder::feed(std::string_view bytes, std::string& out) {
  pending_.append(bytes);
  convert(false, out);
}

void Transcoder::finish(std::string& out) { convert(true, out); }

void Transcoder::convert(bool at_end, std::string& out) {
  char* source = pending_.data();
  std::size_t source_left = pending_.size();
  while (source_left > 0) {
    char buffer[4096];
    char* target = buffer;
    std::size_t target_left = sizeof buffer;
    const std::size_t result = iconv(descriptor_, &source, &source_left, &target, &target_left);
    out.append(buffer, static_cast<std::size_t>(target - buffer));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // An incomplete character at the end waits for its remaining bytes.
    if (errno == EINVAL && !at_end) break;
    // One replacement for a character cut short by the end of the stream,
    // for a character the target lacks, or for a stray byte.
    std::size_t skipped = 1;
    if (errno == EINVAL) {
      skipped = source_left;
    } else if (direction_ == Direction::kToCp932) {
      skipped = utf8_character_length(reinterpret_cast<const unsigned char*>(source), source_left);
    }
    out.append(direction_ == Direction::kToUtf8 ? kUtf8Replacement : kCp932Replacement);
    source += skipped;
    source_left -= skipped;
  }
  pending_.erase(0, pending_.size() - source_left);
}

}  // namespace orbcalc::viewer
