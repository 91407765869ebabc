// The Windows platform layer on real handles: anonymous pipes, files and
// the system's texts.
#include <windows.h>

#include <gtest/gtest.h>

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

class TemporaryFile {
 public:
  TemporaryFile() {
    char folder[MAX_PATH];
    char name[MAX_PATH];
    EXPECT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    EXPECT_NE(GetTempFileNameA(folder, "orb", 0, name), 0u);
    path_ = name;
  }
  ~TemporaryFile() { DeleteFileA(path_.c_str()); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  HANDLE open(DWORD access) const {
    return CreateFileA(path_.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }

 private:
  std::string path_;
};

void put(HANDLE handle, std::string_view bytes) {
  DWORD put = 0;
  ASSERT_TRUE(WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr));
  ASSERT_EQ(put, bytes.size());
}

// Reads until the platform reports the end of the input (or an error).
std::string read_to_end(IoResult& last) {
  std::string got;
  char buffer[7];  // small, so that the bytes come in several pieces
  for (;;) {
    last = system_platform().read(StdStream::input, buffer);
    if (last.error != 0 || last.count == 0) return got;
    got.append(buffer, last.count);
  }
}

std::string drain(HANDLE handle) {
  std::string got;
  char buffer[256];
  DWORD n = 0;
  while (ReadFile(handle, buffer, sizeof buffer, &n, nullptr) && n > 0) got.append(buffer, n);
  return got;
}

TEST(Win32Platform, AClosedAnonymousPipeEndsTheInput) {
  AnonymousPipe pipe;
  put(pipe.write_end, kRawBytes);
  pipe.close_write_end();
  StdHandleSwap input(STD_INPUT_HANDLE, pipe.read_end);
  IoResult last;
  EXPECT_EQ(read_to_end(last), kRawBytes);
  EXPECT_EQ(last.error, 0);
  // The end stays the end; it never turns into a failure.
  char buffer[4];
  last = system_platform().read(StdStream::input, buffer);
  EXPECT_EQ(last.count, 0u);
  EXPECT_EQ(last.error, 0);
}

TEST(Win32Platform, TheEndOfAFileEndsTheInput) {
  TemporaryFile file;
  HANDLE writer = file.open(GENERIC_WRITE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  put(writer, kRawBytes);
  CloseHandle(writer);
  HANDLE reader = file.open(GENERIC_READ);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  {
    StdHandleSwap input(STD_INPUT_HANDLE, reader);
    IoResult last;
    EXPECT_EQ(read_to_end(last), kRawBytes);
    EXPECT_EQ(last.error, 0);
  }
  CloseHandle(reader);
}

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

TEST(Win32Platform, WritesPassEveryByteUnchanged) {
  AnonymousPipe pipe;
  {
    StdHandleSwap output(STD_OUTPUT_HANDLE, pipe.write_end);
    IoResult r = system_platform().write(StdStream::output, kRawBytes);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.count, kRawBytes.size());
  }
  pipe.close_write_end();
  EXPECT_EQ(drain(pipe.read_end), kRawBytes);

  TemporaryFile file;
  HANDLE writer = file.open(GENERIC_WRITE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  {
    StdHandleSwap errors(STD_ERROR_HANDLE, writer);
    IoResult r = system_platform().write(StdStream::error, kRawBytes);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.count, kRawBytes.size());
  }
  CloseHandle(writer);
  HANDLE reader = file.open(GENERIC_READ);
  EXPECT_EQ(drain(reader), kRawBytes);
  CloseHandle(reader);
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
