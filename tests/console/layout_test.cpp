// Write statements carried out on an in-memory standard output.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "console/statement.hpp"
#include "support/console_harness.hpp"

namespace orbcalc {
namespace {

using testing::MemoryPlatform;
using testing::record;
using testing::run_console;
using testing::RunResult;

// Runs one write statement of `layout` with the given items.
struct Items {
  std::vector<std::int32_t> integers{};
  std::vector<float> reals{};
};

RunResult write(std::string_view layout, Items items = {}) {
  return run_console("", [&] {
    set_locus(99);
    st_write(kOutputUnit, layout);
    for (std::int32_t& i : items.integers) transfer_integer(i);
    for (float& x : items.reals) transfer_real(x);
    st_write_done();
  });
}

std::string output_of(std::string_view layout, Items items = {}) {
  RunResult result = write(layout, std::move(items));
  EXPECT_EQ(result.errors, "");
  return result.output;
}

TEST(WriteStatement, EmitsEachRecordAsItsBytesThenItsTerminator) {
  MemoryPlatform platform;
  run_console(platform, [] {
    write_statement(1, "(' a'/)");
    write_statement(2, "(1X)");
  });
  EXPECT_EQ(platform.output_writes(), (std::vector<std::string>{" a", "\r\n", "\r\n", "\r\n"}));
}

TEST(WriteStatement, PassesLiteralBytesThroughUnchanged) {
  EXPECT_EQ(output_of("('it''s',\"a \"\"q\"\"\")"), record("it'sa \"q\""));
  EXPECT_EQ(output_of("('\x81\x43\x82\xA0\xFF')"), record("\x81\x43\x82\xA0\xFF"));
  EXPECT_EQ(output_of("(' ','')"), record(" "));
  EXPECT_EQ(output_of("(i2 , 2 x ,'b')", {.integers = {7}}), record(" 7  b"));
}

TEST(WriteStatement, SkipsBecomeBlanksOnlyBeforeLaterBytes) {
  EXPECT_EQ(output_of("(3X)"), record(""));
  EXPECT_EQ(output_of("('a',3X)"), record("a"));
  EXPECT_EQ(output_of("('a',3X,'b')"), record("a   b"));
  EXPECT_EQ(output_of("(1X,/,'b')"), record("") + record("b"));
  // A record longer than the output staging buffer gets a buffer of its own.
  EXPECT_EQ(output_of("('a',4000000X,'b')"), record("a" + std::string(4000000, ' ') + "b"));
}

TEST(WriteStatement, StopsAtTheFirstFieldWithoutAnItem) {
  EXPECT_EQ(output_of("('a',I2,'b',I2,'c')", {.integers = {1}}), record("a 1b"));
  EXPECT_EQ(output_of("('a',I2,'b')"), record("a"));
  EXPECT_EQ(output_of("('a',A0,'b')"), record("a"));
  EXPECT_EQ(output_of("(I4.2,F3.4)", {.integers = {5}}), record("  05"));
  EXPECT_EQ(output_of("(I2.2,A2147483647)", {.integers = {5}}), record("05"));
  EXPECT_EQ(output_of("(I2,3F9.4)", {.integers = {3}}), record(" 3"));
}

TEST(WriteStatement, RepeatsFieldsAndGroups) {
  EXPECT_EQ(output_of("(3I2)", {.integers = {1, 2, 3}}), record(" 1 2 3"));
  EXPECT_EQ(output_of("(2('<',I1,'>'))", {.integers = {1, 2}}), record("<1><2>"));
  EXPECT_EQ(output_of("(2(2('-'),'|'))"), record("--|--|"));
  EXPECT_EQ(output_of("(2/)"), record("") + record("") + record(""));
}

TEST(WriteStatement, RestartsTheLayoutWhenItemsRemain) {
  // Without groups the whole layout runs again on a new record.
  EXPECT_EQ(output_of("('x',I2)", {.integers = {1, 2, 3}}), record("x 1") + record("x 2") + record("x 3"));
  // With groups it resumes at the last group of the outer parentheses.
  EXPECT_EQ(output_of("('a',I1,('b',I1),'c')", {.integers = {1, 2, 3, 4}}),
            record("a1b2c") + record("b3c") + record("b4c"));
}

// The three lines a layout error ends the run with.
std::string layout_error(std::string_view reason) {
  return "At line 99 of file orbcalc (Unit 6)\n"
         "Traceback: not available, compile with call tracing, which orbcalc does not offer\n"
         "Merovan runtime error: " +
         std::string(reason) + "\n";
}

TEST(WriteStatement, ReportsMalformedLayoutsWithACaret) {
  struct Case {
    const char* layout;
    const char* reason;
  };
  const Case cases[] = {
      {"I2)", "Missing initial left parenthesis in format\nI2)\n^"},
      {"", "Missing initial left parenthesis in format\n\n^"},
      {"(I2", "Unexpected end of format string\n(I2\n  ^"},
      {"(1x,q)", "Unexpected element in format\n(1x,q)\n    ^"},
      {"(0X)", "Unexpected element in format\n(0X)\n ^"},
      {"('abc)", "Unterminated character constant in format\n('abc)\n     ^"},
      {"(I,'a')", "Nonnegative width required in format\n(I,'a')\n  ^"},
      {"(F9 4)", "Period required in format\n(F9 4)\n    ^"},
      {"(I2.3)", "Minimum digits exceeds field width\n(I2.3)\n    ^"},
      {"(I1.2)", "Minimum digits exceeds field width\n(I1.2)\n    ^"},
      {"(F9.)", "Unexpected element in format\n(F9.)\n    ^"},
      {"(2)", "Unexpected element in format\n(2)\n  ^"},
      {"(I", "Unexpected end of format string\n(I\n ^"},
      {"(I'a", "Unterminated character constant in format\n(I'a\n   ^"},
  };
  for (const Case& c : cases) {
    RunResult result = write(c.layout);
    EXPECT_EQ(result.status, 2) << c.layout;
    EXPECT_EQ(result.errors, layout_error(c.reason)) << c.layout;
    EXPECT_EQ(result.output, "") << c.layout;
  }
}

TEST(WriteStatement, ExcerptsLongLayoutsAroundTheError) {
  // The error lies at the q, n + 4 bytes in; past 60 bytes the excerpt
  // starts 40 bytes before it.
  for (const auto& [n, start, column] : {std::tuple{56, 0, 60}, std::tuple{57, 21, 40}, std::tuple{70, 34, 40}}) {
    std::string layout = "('" + std::string(static_cast<std::size_t>(n), 'a') + "',q)";
    EXPECT_EQ(write(layout).errors,
              layout_error("Unexpected element in format\n" + layout.substr(static_cast<std::size_t>(start), 80) +
                           "\n" + std::string(static_cast<std::size_t>(column), ' ') + "^"));
  }
  // A layout is its bytes, with no terminator: the digit after them is not read.
  EXPECT_EQ(write(std::string_view("(12)", 2)).errors, layout_error("Unexpected end of format string\n(1\n ^"));
  EXPECT_EQ(write(std::string_view("(I2 )", 3)).errors, layout_error("Unexpected end of format string\n(I2\n  ^"));
}

// A layout given as text has room for 200 items, its outer group included.
TEST(WriteStatement, TakesAtMostTwoHundredLayoutItems) {
  EXPECT_EQ(write(std::string("(").append(199, 'X').append(")")).errors, "");
  const std::string layout = std::string("(").append(300, 'X').append(")");  // the excerpt is cut at 80 bytes
  EXPECT_EQ(write(layout).errors,
            layout_error("Too many items in format\n" + std::string(80, 'X') + "\n" + std::string(40, ' ') + "^"));
}

TEST(WriteStatement, ReportsItemsTheLayoutCannotTake) {
  RunResult mismatch = write("('a',F9.4)", {.integers = {1}});
  EXPECT_EQ(mismatch.errors, layout_error("Expected REAL for item 1 in formatted transfer, got INTEGER\n"
                                          "('a',F9.4)\n     ^"));
  RunResult exhausted = write("('a')", {.integers = {1}});
  EXPECT_EQ(exhausted.errors, layout_error("Exhausted data descriptors in format\n('a')\n    ^"));
  // What was written before the failure is complete; the unfinished
  // record is not.
  EXPECT_EQ(exhausted.output, record("a"));
  RunResult no_field_in_group = write("(I1,('b'))", {.integers = {1, 2}});
  EXPECT_EQ(no_field_in_group.status, 2);
  EXPECT_NE(no_field_in_group.errors.find("Exhausted data descriptors in format"), std::string::npos);
}

TEST(WriteStatement, RefusesRecordsBeyondTheLengthLimit) {
  MemoryPlatform platform;
  RunResult result = run_console(
      platform, [] { write_statement(7, "('abcdef','ghijk')"); }, 10);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.errors,
            "At line 7 of file orbcalc (Unit 6)\n"
            "Traceback: not available, compile with call tracing, which orbcalc does not offer\n"
            "Merovan runtime error: Writing more data than the record size (RECL)\n");
  RunResult fits = run_console(
      platform, [] { write_statement(7, "('abcde','fghij',9999X)"); }, 10);
  EXPECT_EQ(fits.status, -1);
}

}  // namespace
}  // namespace orbcalc
