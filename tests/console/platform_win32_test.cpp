// The Windows platform layer on real handles: the failures of reads and
// writes, and the system's texts. The end-to-end cases run every answer
// file once more through anonymous pipes for the bytes and the end of input.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "console/platform.hpp"

namespace orbcalc {
namespace {

// Bytes that a text-mode stream or a code-page conversion would change:
// CR LF, a lone LF, Shift_JIS lead and trail bytes, and CTRL+Z.
constexpr std::string_view kRawBytes = "\x82\xa0\x93\xfc\x97\xcd\r\n\n\x1a\x81\x40 end\r\n";

// Puts a handle in the place of a standard one for as long as it lives.
class StdHandleSwap {
 public:
  StdHandleSwap(DWORD which, HANDLE replacement) : which_(which), saved_(GetStdHandle(which)) {
    SetStdHandle(which, replacement);
  }
  ~StdHandleSwap() { SetStdHandle(which_, saved_); }
  StdHandleSwap(const StdHandleSwap&) = delete;
  StdHandleSwap& operator=(const StdHandleSwap&) = delete;

 private:
  DWORD which_;
  HANDLE saved_;
};

struct AnonymousPipe {
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;

  AnonymousPipe() { EXPECT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0)); }
  ~AnonymousPipe() {
    close_read_end();
    close_write_end();
  }
  AnonymousPipe(const AnonymousPipe&) = delete;
  AnonymousPipe& operator=(const AnonymousPipe&) = delete;

  void close_read_end() { close(read_end); }
  void close_write_end() { close(write_end); }

 private:
  static void close(HANDLE& handle) {
    if (handle != nullptr) CloseHandle(handle);
    handle = nullptr;
  }
};

TEST(Win32Platform, OtherReadFailuresCarryTheSystemsError) {
  AnonymousPipe pipe;
  // The writing end of a pipe cannot be read, and no handle at all cannot
  // be read either.
  for (HANDLE unreadable : {pipe.write_end, static_cast<HANDLE>(nullptr)}) {
    StdHandleSwap input(STD_INPUT_HANDLE, unreadable);
    char buffer[8];
    IoResult r = system_platform().read(StdStream::input, buffer);
    EXPECT_EQ(r.count, 0u);
    EXPECT_NE(r.error, 0);
    EXPECT_NE(r.error, ERROR_BROKEN_PIPE);
  }
}

TEST(Win32Platform, AWriteToAPipeNobodyReadsFails) {
  AnonymousPipe pipe;
  pipe.close_read_end();
  StdHandleSwap output(STD_OUTPUT_HANDLE, pipe.write_end);
  IoResult r = system_platform().write(StdStream::output, kRawBytes);
  EXPECT_EQ(r.count, 0u);
  EXPECT_NE(r.error, 0);
}

TEST(Win32Platform, SystemTextsAreOneLineWithoutItsLineEnd) {
  Platform& platform = system_platform();
  const DWORD errors[] = {ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE, ERROR_NO_DATA, ERROR_DISK_FULL,
                          static_cast<DWORD>(platform.out_of_memory_error())};
  for (DWORD error : errors) {
    std::string text = platform.error_text(static_cast<int>(error));
    ASSERT_FALSE(text.empty()) << error;
    EXPECT_NE(text.back(), '\n') << error;
    EXPECT_NE(text.back(), '\r') << error;
    EXPECT_NE(text.back(), ' ') << error;
  }
  // A code the system has no text for still gets one.
  EXPECT_EQ(platform.error_text(0x20000001), "System error 536870913");
}

}  // namespace
}  // namespace orbcalc
