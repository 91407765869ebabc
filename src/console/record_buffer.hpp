// The growable byte buffer that holds one input line or one output record
// of a console unit, up to the unit's record length limit.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace orbcalc {

class RecordBuffer {
 public:
  explicit RecordBuffer(std::size_t limit) : limit_(limit) {}

  // Makes room for `needed` bytes, keeping its contents. The buffer is
  // first allocated at 2000 bytes and then grows to twice its size (at most
  // the limit) or to `needed`, whichever is larger. False when `needed`
  // passes the limit; memory that cannot be had ends the run.
  bool reserve(std::size_t needed);

  char* data() { return bytes_.get(); }
  const char* data() const { return bytes_.get(); }
  std::size_t limit() const { return limit_; }

 private:
  struct Free {
    void operator()(char* bytes) const { std::free(bytes); }
  };
  // Grown with realloc: a large buffer is moved to its new size by the
  // system's page tables, not copied into fresh pages.
  std::unique_ptr<char, Free> bytes_;
  std::size_t capacity_ = 0;
  std::size_t limit_;
};

}  // namespace orbcalc
