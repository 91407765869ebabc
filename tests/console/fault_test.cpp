// Processor faults end the run with their name and status 95. Each case
// runs in a child process with the real platform's handlers installed.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {

constexpr const char* kTracebackLine = "Traceback: not available, compile with call tracing, which orbcalc does not offer\n";

void start() { runtime_start(0, nullptr); }

volatile std::uintptr_t unmapped_address = 64;
volatile bool keep_recursing = true;

[[gnu::noinline]] void touch_unmapped_memory() {
  // A small nonzero address is never mapped; null itself would be caught
  // by the sanitizer build before it faults.
  *reinterpret_cast<volatile std::int32_t*>(unmapped_address) = 1;
}

[[gnu::noinline]] int recurse_forever(int depth) {
  volatile char frame[256] = {};
  frame[0] = static_cast<char>(depth);
  if (!keep_recursing) return 0;
  return recurse_forever(depth + 1) + frame[0];
}

#if defined(__x86_64__) || defined(__i386__)
void divide_by_zero() {
  int quotient = 1;
  int divisor = 0;
  // The division is done by the processor itself, past the checks of the
  // sanitizer build.
  __asm__ volatile("cltd\n\tidivl %1" : "+a"(quotient) : "r"(divisor) : "edx");
}
#endif

TEST(FaultDeathTest, AnAccessViolationBetweenStatementsEndsWithStatus95) {
  EXPECT_EXIT(
      {
        start();
        touch_unmapped_memory();
      },
      ::testing::ExitedWithCode(kStatusFault),
      std::string("^Exception: Access Violation\n") + kTracebackLine + "$");
}

TEST(FaultDeathTest, AFaultInsideAStatementNamesItsLine) {
  EXPECT_EXIT(
      {
        start();
        set_locus(59);
        set_current_unit(kInputUnit);
        touch_unmapped_memory();
      },
      ::testing::ExitedWithCode(kStatusFault),
      std::string("^Exception: Access Violation\nAt line 59 of file orbcalc \\(Unit 5\\)\n") +
          kTracebackLine + "$");
}

TEST(FaultDeathTest, AStackOverflowIsNamed) {
  EXPECT_EXIT(
      {
        start();
        recurse_forever(0);
      },
      ::testing::ExitedWithCode(kStatusFault), "^Exception: Stack overflow\n");
}

#if defined(__x86_64__) || defined(__i386__)
TEST(FaultDeathTest, AnIntegerDivisionByZeroIsNamed) {
  EXPECT_EXIT(
      {
        start();
        divide_by_zero();
      },
      ::testing::ExitedWithCode(kStatusFault), "^Exception: Integer division by zero\n");
}
#endif

TEST(FaultDeathTest, FloatingPointExceptionsDoNotTrap) {
  EXPECT_EXIT(
      {
        start();
        volatile float zero = 0.0f;
        volatile float big = 3e38f;
        float quotient = 1.0f / zero;
        float product = big * big;
        float invalid = zero / zero;
        std::exit(quotient == product && invalid != invalid ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "^$");
}

}  // namespace
}  // namespace orbcalc
