// Processor faults end the run with their name and status 95. Each case
// runs in a child process with the real platform's handlers installed.
// That floating-point exceptions never trap, the cases with infinities,
// NaNs and overflow show: they end with status 0.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "console/exception_names.hpp"
#include "console/runtime.hpp"
#include "console/statement.hpp"
#include "support/console_harness.hpp"

namespace orbcalc {
namespace {

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

TEST(FaultDeathTest, AnAccessViolationNamesTheStatementItInterrupts) {
  EXPECT_EXIT(
      {
        start();
        write_statement(98, "(1X)");  // a statement before, ended
        touch_unmapped_memory();
      },
      ::testing::ExitedWithCode(95), "^Exception: Access Violation\n" + testing::kTraceback + "$");
  EXPECT_EXIT(
      {
        start();
        set_locus(99);
        set_current_unit(kInputUnit);
        touch_unmapped_memory();
      },
      ::testing::ExitedWithCode(95),
      "^Exception: Access Violation\nAt line 99 of file orbcalc \\(Unit 5\\)\n" + testing::kTraceback + "$");
}

TEST(FaultDeathTest, AStackOverflowIsNamed) {
  EXPECT_EXIT(
      {
        start();
        recurse_forever(0);
      },
      ::testing::ExitedWithCode(95), "^Exception: Stack overflow\n");
}

#if defined(__x86_64__) || defined(__i386__)
TEST(FaultDeathTest, AnIntegerDivisionByZeroIsNamed) {
  EXPECT_EXIT(
      {
        start();
        int quotient = 1;
        int divisor = 0;
        // The division is done by the processor itself, past the checks of
        // the sanitizer build.
        __asm__ volatile("cltd\n\tidivl %1" : "+a"(quotient) : "r"(divisor) : "edx");
      },
      ::testing::ExitedWithCode(95), "^Exception: Integer division by zero\n");
}
#endif

TEST(ExceptionNames, NamesTheCodesOfTheExceptionHookAndSpellsOthersInHex) {
  struct Case {
    std::uint32_t code;
    const char* name;
  };
  // clang-format off
  const Case cases[] = {
      {0x80000002u, "Data alignment"}, {0x80000003u, "Breakpoint"}, {0x80000004u, "Single Step"},
      {0xC0000005u, "Access Violation"}, {0xC0000006u, "Page error"}, {0xC000001Du, "Illegal instruction"},
      {0xC0000025u, "Noncontinuable exception"}, {0xC0000026u, "Invalid disposition"},
      {0xC000008Cu, "Subscript out of range"}, {0xC000008Du, "Denormal operand"},
      {0xC000008Eu, "Division by zero"}, {0xC000008Fu, "Inexact result"}, {0xC0000090u, "Invalid operation"},
      {0xC0000091u, "Overflow"}, {0xC0000092u, "FP stack overflow"}, {0xC0000093u, "Underflow"},
      {0xC0000094u, "Integer division by zero"}, {0xC0000095u, "Integer overflow"},
      {0xC0000096u, "Privileged instruction"}, {0xC00000FDu, "Stack overflow"},
      {0x0u, "Unknown exception 0x0"}, {0x2Au, "Unknown exception 0x2A"},
      {0xFFFFFFFFu, "Unknown exception 0xFFFFFFFF"},
      // Neighbours of named codes have no name.
      {0xC0000007u, "Unknown exception 0xC0000007"}, {0x80000001u, "Unknown exception 0x80000001"},
      {0xC00000FEu, "Unknown exception 0xC00000FE"}, {0xC000008Bu, "Unknown exception 0xC000008B"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(exception_name(c.code), c.name) << std::hex << c.code;
}

}  // namespace
}  // namespace orbcalc
