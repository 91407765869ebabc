// Conversion of a byte stream between orbcalc's code page 932 and the
// terminal's UTF-8, with glibc's iconv, as the bytes arrive: whatever forms
// whole characters is converted at once, an incomplete character waits for
// the rest of its bytes.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace orbcalc::viewer {

enum class Direction {
  kToUtf8,   // what orbcalc writes, for the terminal
  kToCp932,  // what the user types, for orbcalc
};

class Transcoder {
 public:
  // Check ok() before use: the system may lack the CP932 converter.
  explicit Transcoder(Direction direction);
  ~Transcoder();
  Transcoder(const Transcoder&) = delete;
  Transcoder& operator=(const Transcoder&) = delete;

  bool ok() const { return descriptor_ != kNoDescriptor; }

  // Appends to out the conversion of every whole character of the bytes
  // fed so far. A byte sequence that is not a character of the source, or
  // a character without a form in the target, becomes the replacement:
  // U+FFFD in UTF-8, '?' in CP932; the conversion carries on after it.
  void feed(std::string_view bytes, std::string& out);
  // The end of the stream: an incomplete character left over is replaced.
  void finish(std::string& out);

 private:
  static inline const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

  void convert(bool at_end, std::string& out);

  Direction direction_;
  iconv_t descriptor_;
  std::string pending_;
};

}  // namespace orbcalc::viewer
