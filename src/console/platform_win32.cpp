// The platform layer on Windows: the three standard handles with ReadFile
// and WriteFile on raw bytes, GetLastError and FormatMessageA, the
// unhandled-exception filter for processor faults, and ExitProcess.
#include <process.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "console/error_print.hpp"
#include "console/exception_names.hpp"
#include "console/platform.hpp"
#include "console/runtime.hpp"

namespace orbcalc {
namespace {

// Consoles of older Windows versions refuse single transfers much larger
// than this; the callers go on with the rest.
constexpr std::size_t kLargestTransfer = 32 * 1024;

// Stack kept back for the exception filter, so that a stack overflow can
// still be reported.
constexpr ULONG kFaultStackReserve = 64 * 1024;

HANDLE standard_handle(StdStream stream) {
  switch (stream) {
    case StdStream::input: return GetStdHandle(STD_INPUT_HANDLE);
    case StdStream::output: return GetStdHandle(STD_OUTPUT_HANDLE);
    case StdStream::error: return GetStdHandle(STD_ERROR_HANDLE);
  }
  return GetStdHandle(STD_ERROR_HANDLE);
}

DWORD transfer_size(std::size_t bytes) { return static_cast<DWORD>(std::min(bytes, kLargestTransfer)); }

int last_error_or(DWORD fallback) {
  DWORD error = GetLastError();
  return static_cast<int>(error != ERROR_SUCCESS ? error : fallback);
}

// Runs on the thread that faulted. Everything it reaches formats into
// static storage and calls only WriteFile and TerminateProcess.
LONG WINAPI on_unhandled_exception(EXCEPTION_POINTERS* fault) {
  handle_fpe(exception_name(static_cast<std::uint32_t>(fault->ExceptionRecord->ExceptionCode)));
}

bool is_line_end_or_blank(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

class Win32Platform final : public Platform {
 public:
  IoResult read(StdStream stream, std::span<char> into) override {
    DWORD got = 0;
    if (ReadFile(standard_handle(stream), into.data(), transfer_size(into.size()), &got, nullptr)) {
      return {got, 0};
    }
    DWORD error = GetLastError();
    // An anonymous pipe whose writing end has been closed reports its end
    // as this failure; for the reader it is the end of the input.
    if (error == ERROR_BROKEN_PIPE) return {0, 0};
    return {0, static_cast<int>(error != ERROR_SUCCESS ? error : ERROR_READ_FAULT)};
  }

  IoResult write(StdStream stream, std::span<const char> bytes) override {
    DWORD put = 0;
    if (!WriteFile(standard_handle(stream), bytes.data(), transfer_size(bytes.size()), &put, nullptr)) {
      return {0, last_error_or(ERROR_WRITE_FAULT)};
    }
    // A write that takes nothing would never finish.
    if (put == 0 && !bytes.empty()) return {0, ERROR_WRITE_FAULT};
    return {put, 0};
  }

  // The system ends its texts with a line end of its own; the diagnostic
  // that shows the text ends its line itself, so that one is dropped.
  std::string error_text(int error) override {
    char* text = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result;
    if (text != nullptr) {
      result.assign(text, length);
      LocalFree(text);
    }
    while (!result.empty() && is_line_end_or_blank(result.back())) result.pop_back();
    if (result.empty()) result = std::string_view(message("System error %d", {static_cast<DWORD>(error)}));
    return result;
  }

  int out_of_memory_error() override { return ERROR_NOT_ENOUGH_MEMORY; }

  // Takes the place of the filter the C runtime installed at entry. A
  // closed pipe raises no signal here: the write just fails.
  void install_fault_handler() override {
    ULONG reserve = kFaultStackReserve;
    SetThreadStackGuarantee(&reserve);
    SetUnhandledExceptionFilter(on_unhandled_exception);
  }

  // _cexit runs the exit handlers without ending the process.
  [[noreturn]] void exit(int status) override {
    _cexit();
    ExitProcess(static_cast<UINT>(status));
  }

  [[noreturn]] void exit_from_fault(int status) override {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    // Only should the system refuse to end the process at once.
    ExitProcess(static_cast<UINT>(status));
  }
};

}  // namespace

Platform& system_platform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace orbcalc
