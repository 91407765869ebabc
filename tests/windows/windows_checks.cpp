// A test-only Windows program for what only a real Windows process shows:
// processor faults reaching the unhandled-exception filter, the x87
// precision after start-up, and whole runs of orbcalc.exe through
// anonymous pipes. The first argument names the check:
//
//   access_violation          start the console layer, then write to an
//                             address no process may touch
//   access_violation_in_read  the same inside a read statement
//   integer_division          start, then divide an integer by zero
//   stack_overflow            start, then recurse until the stack is gone
//   unknown_exception         start, then raise an exception code that has
//                             no name
//   x87_precision             check the floating-point environment that
//                             start-up leaves, from a deliberately wrong one
//   relay                     run orbcalc.exe (beside this program) with
//                             anonymous pipes for its standard input and
//                             output, copy this program's standard input
//                             into the one and the other to this program's
//                             standard output, and end with its status
#include <windows.h>
#include <xmmintrin.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#include "console/runtime.hpp"
#include "dialogue/dialogue.hpp"

namespace {

// The lowest 64 KiB of the address space are never mapped.
constexpr std::uintptr_t kUnmappedAddress = 16;
constexpr DWORD kUnnamedException = 0x2A;
constexpr int kFailed = 3;

[[noreturn]] void write_to_unmapped_memory() {
  volatile std::uintptr_t address = kUnmappedAddress;
  *reinterpret_cast<volatile int*>(address) = 1;
  std::fputs("the write to unmapped memory did not fault\n", stderr);
  std::exit(kFailed);
}

int divide_by_zero() {
  volatile int dividend = 7;
  volatile int zero = 0;
  volatile int quotient = dividend / zero;
  return quotient;
}

// Each call keeps a page of its own on the stack, so the recursion cannot
// be turned into a loop; the volatile limit is never reached.
volatile int recursion_limit = 1 << 30;

int recurse_deeply(int depth) {
  volatile char page[4096];
  page[0] = static_cast<char>(depth);
  if (depth >= recursion_limit) return page[0];
  return recurse_deeply(depth + 1) + page[0];
}

// ---- x87 precision ----

unsigned short x87_control_word() {
  unsigned short control = 0;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  return control;
}

void load_x87_control_word(unsigned short control) {
  __asm__ volatile("fnclex");
  __asm__ volatile("fldcw %0" : : "m"(control));
}

// 1 + 2^-60 needs a 61-bit significand: a 64-bit one keeps the small part,
// a 53-bit one rounds it away and leaves 0.
long double excess_over_one() {
  volatile long double one = 1.0L;
  volatile long double tiny = 0x1p-60L;
  volatile long double sum = one + tiny;
  return sum - one;
}

int check_x87_precision(int argc, char** argv) {
  constexpr unsigned short k53BitMasked = 0x027F;  // the usual Windows default
  constexpr unsigned short k53BitTruncatingUnmasked = 0x0E40;
  constexpr unsigned kFlushToZeroTowardZeroUnmasked = 0xE000;
  constexpr unsigned short kExpectedControl = 0x037F;
  constexpr unsigned kExpectedMxcsr = 0x1F80;
  constexpr long double kKeptExcess = 0x1p-60L;

  bool ok = true;
  load_x87_control_word(k53BitMasked);
  if (excess_over_one() != 0.0L) {
    std::puts("at 53-bit precision 1 + 2^-60 kept its small part: the check cannot tell precisions apart");
    ok = false;
  }
  // No floating-point operation may run between here and the start-up:
  // every exception is unmasked.
  load_x87_control_word(k53BitTruncatingUnmasked);
  _mm_setcsr(kFlushToZeroTowardZeroUnmasked);
  orbcalc::runtime_start(argc, argv);
  unsigned short control = x87_control_word();
  unsigned mxcsr = _mm_getcsr() & 0xFFFFu;
  std::printf("x87 control word 0x%04X, MXCSR 0x%04X\n", control, mxcsr);
  if (control != kExpectedControl || mxcsr != kExpectedMxcsr) {
    std::printf("expected x87 control word 0x%04X, MXCSR 0x%04X\n", kExpectedControl, kExpectedMxcsr);
    ok = false;
  }
  long double excess = excess_over_one();
  std::printf("(1 + 2^-60) - 1 = %g\n", static_cast<double>(excess));
  if (excess != kKeptExcess) {
    std::puts("expected 2^-60: intermediates do not carry a 64-bit significand");
    ok = false;
  }
  return ok ? 0 : 1;
}

// ---- relay through anonymous pipes ----

// Copies until the source ends; a closed pipe on either side ends it too.
void copy_stream(HANDLE from, HANDLE to) {
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    for (DWORD done = 0; done < got;) {
      DWORD put = 0;
      if (!WriteFile(to, buffer + done, got - done, &put, nullptr) || put == 0) return;
      done += put;
    }
  }
}

std::string program_beside_this_one(std::string_view name) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string beside(path, length);
  beside.erase(beside.find_last_of("\\/") + 1);
  return beside.append(name);
}

int relay() {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE input_read = nullptr, input_write = nullptr, output_read = nullptr, output_write = nullptr;
  HANDLE errors = nullptr;
  HANDLE self = GetCurrentProcess();
  if (!CreatePipe(&input_read, &input_write, &inheritable, 0) ||
      !CreatePipe(&output_read, &output_write, &inheritable, 0) ||
      !SetHandleInformation(input_write, HANDLE_FLAG_INHERIT, 0) ||
      !SetHandleInformation(output_read, HANDLE_FLAG_INHERIT, 0) ||
      !DuplicateHandle(self, GetStdHandle(STD_ERROR_HANDLE), self, &errors, 0, TRUE, DUPLICATE_SAME_ACCESS)) {
    std::fprintf(stderr, "relay: cannot set up the pipes (error %lu)\n", GetLastError());
    return kFailed;
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input_read;
  startup.hStdOutput = output_write;
  startup.hStdError = errors;
  PROCESS_INFORMATION child{};
  std::string program = program_beside_this_one("orbcalc.exe");
  char command_line[] = "orbcalc.exe";
  if (!CreateProcessA(program.c_str(), command_line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
    std::fprintf(stderr, "relay: cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    return kFailed;
  }
  // Only the child may hold its ends, so that each pipe reports its end
  // once the other side is done.
  CloseHandle(input_read);
  CloseHandle(output_write);
  CloseHandle(errors);
  CloseHandle(child.hThread);

  std::thread feeder([input_write] {
    copy_stream(GetStdHandle(STD_INPUT_HANDLE), input_write);
    CloseHandle(input_write);
  });
  copy_stream(output_read, GetStdHandle(STD_OUTPUT_HANDLE));
  feeder.join();
  CloseHandle(output_read);

  DWORD status = kFailed;
  WaitForSingleObject(child.hProcess, INFINITE);
  GetExitCodeProcess(child.hProcess, &status);
  CloseHandle(child.hProcess);
  return static_cast<int>(status);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view check = argc > 1 ? argv[1] : "";
  if (check == "x87_precision") return check_x87_precision(argc, argv);
  if (check == "relay") return relay();

  orbcalc::runtime_start(argc, argv);
  if (check == "access_violation") write_to_unmapped_memory();
  if (check == "access_violation_in_read") {
    orbcalc::set_locus(orbcalc::dialogue::kReadName.line);
    orbcalc::set_current_unit(orbcalc::kInputUnit);
    write_to_unmapped_memory();
  }
  if (check == "integer_division") return divide_by_zero();
  if (check == "stack_overflow") return recurse_deeply(0);
  if (check == "unknown_exception") RaiseException(kUnnamedException, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  std::fprintf(stderr, "usage: windows_checks CHECK (see the source for the checks)\n");
  return kFailed;
}
