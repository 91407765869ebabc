// What the POSIX and the WebAssembly platform layers share: the standard
// streams are file descriptors 0, 1 and 2, read and written with read and
// write, and an error is errno with strerror's text.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "console/platform.hpp"

namespace orbcalc {

class FdPlatform : public Platform {
 public:
  IoResult read(StdStream stream, std::span<char> into) override {
    for (;;) {
      ssize_t n = ::read(descriptor(stream), into.data(), into.size());
      if (n >= 0) return {static_cast<std::size_t>(n), 0};
      if (errno != EINTR) return {0, errno};
    }
  }

  IoResult write(StdStream stream, std::span<const char> bytes) override {
    for (;;) {
      ssize_t n = ::write(descriptor(stream), bytes.data(), bytes.size());
      if (n > 0) return {static_cast<std::size_t>(n), 0};
      if (n == 0) return {0, EIO};  // a write that takes nothing would never finish
      if (errno != EINTR) return {0, errno};
    }
  }

  std::string error_text(int error) override { return std::strerror(error); }

  int out_of_memory_error() override { return ENOMEM; }

 private:
  static int descriptor(StdStream stream) {
    switch (stream) {
      case StdStream::input: return STDIN_FILENO;
      case StdStream::output: return STDOUT_FILENO;
      case StdStream::error: return STDERR_FILENO;
    }
    return STDERR_FILENO;
  }
};

}  // namespace orbcalc
