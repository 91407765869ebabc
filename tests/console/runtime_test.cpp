// The stop, the fatal path and its diagnostics, on an in-memory platform.
#include "console/runtime.hpp"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "console/error_print.hpp"
#include "console/statement.hpp"
#include "support/console_harness.hpp"

namespace orbcalc {
namespace {

// The in-memory platform, the harness and its texts.
using namespace testing;

TEST(ErrorPrint, ReplacesTheFourDirectivesAndCopiesAnythingElse) {
  RunResult result = run_console("", [] {
    EXPECT_EQ(error_print("%d|%s|%c|%x|%x|%x\n", {-42, "text", 'Z', 255, 0, 0xC0000005u}), 25u);
    error_print("100% sure, %q and %\n");
    error_print(std::string_view("%d", 1), {7});  // a last % is a byte, whatever follows the layout
  });
  EXPECT_EQ(result.errors, "-42|text|Z|FF|0|C0000005\n100% sure, %q and %\n%");
}

TEST(Stop, ReportsOutputTheSystemRefusedInsteadOfSucceeding) {
  MemoryPlatform platform;
  platform.fail_output(28);
  RunResult result = run_console(platform, [] {
    write_statement(91, "('lost')");
    set_locus(92);
    stop_run();
  });
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.errors, "At line 92 of file orbcalc\n" + kTraceback + "Merovan runtime error: system error 28\n");
}

TEST(Stop, KeepsUnwrittenBytesPendingUntilTheStagingBufferOverflows) {
  MemoryPlatform platform;
  platform.fail_output(32, 5);
  std::string line(1000, 'x');
  int written_records = 0;
  RunResult result = run_console(platform, [&] {
    for (;; ++written_records) write_statement(93, "(A)", std::span<char>(line));
  });
  // 16 records of 1002 bytes fit in the 16384-byte staging buffer after
  // the 5 bytes that got through; the 17th finds no room and fails.
  EXPECT_EQ(written_records, 16);
  EXPECT_EQ(result.output, "xxxxx");
  EXPECT_EQ(result.errors,
            "At line 93 of file orbcalc (Unit 6)\n" + kTraceback + "Merovan runtime error: system error 32\n");
}

TEST(FatalPath, ARunErrorWithLostOutputStillEndsWithStatusTwo) {
  MemoryPlatform platform("abc\n");
  platform.fail_output(28);
  std::int32_t count = 0;
  RunResult result = run_console(platform, [&] {
    write_statement(94, "('prompt'/)");
    read_statement(95, count);
  });
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.errors, "At line 95 of file orbcalc (Unit 5)\n" + kTraceback +
                               "Merovan runtime error: Bad integer for item 1 in list input\n");
}

TEST(FatalPath, ASecondFailureEndsAtOnceWithStatusFour) {
  for (void (*second)() : {+[] { runtime_error("second"); }, +[] { os_error("second"); }}) {
    RunResult result = run_console("", [&] {
      try {
        runtime_error("first");
      } catch (const ProcessExit&) {
      }
      second();
    });
    EXPECT_EQ(result.status, 4);
    EXPECT_EQ(result.errors, kTraceback + "Merovan runtime error: first\n");
  }
}

// Every way out of a failure hands over the output the system refused
// before it.
TEST(FatalPath, OutputTheSystemRefusedBeforeIsWrittenOnTheWayOut) {
  const std::pair<void (*)(), int> paths[] = {{+[] { handle_fpe("Access Violation"); }, 95},
                                              {+[] { runtime_error("reason"); }, 2},
                                              {+[] { os_error("reason"); }, 1},
                                              {+[] { std::get_new_handler()(); }, 1}};  // new that found no memory
  for (const auto& [fail, status] : paths) {
    MemoryPlatform platform;
    platform.fail_output(11, 2);  // two bytes go, the rest is kept
    RunResult result = run_console(platform, [&] {
      write_statement(91, "('kept')");
      platform.heal_output();
      fail();
    });
    EXPECT_EQ(result.status, status);
    EXPECT_EQ(result.output, record("kept"));
  }
}

TEST(FatalPath, UsesTheDefaultReasonOfAKindWithoutDetail) {
  struct Case {
    int kind;
    const char* reason;
  };
  const Case cases[] = {
      {kEndOfFile, "End of file"},
      {kFormatError, "FORMAT error"},
      {kBadValue, "Bad value during read"},
      {kReadPastRecord, "Reading more data than the record size (RECL)"},
      {kWritePastRecord, "Writing more data than the record size (RECL)"},
      {3, "Unknown error code"},
  };
  for (const Case& c : cases) {
    RunResult result = run_console("", [&] { generate_error(c.kind); });
    EXPECT_EQ(result.errors, kTraceback + "Merovan runtime error: " + c.reason + "\n");
  }
}

}  // namespace
}  // namespace orbcalc
