// Free-form read statements on an in-memory standard input.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "console/statement.hpp"
#include "support/console_harness.hpp"

namespace orbcalc {
namespace {

using testing::MemoryPlatform;
using testing::RunResult;
using testing::run_console;

constexpr std::int32_t kUntouched = -77;

struct Pair {
  std::int32_t a = kUntouched;
  std::int32_t b = kUntouched;
};

// The reason line a failed read at line 59 ends with, or "" when the
// reads succeeded.
std::string failure(const RunResult& result) {
  if (result.status == -1) return "";
  const std::string prefix =
      "At line 59 of file orbcalc (Unit 5)\n"
      "Traceback: not available, compile with call tracing, which orbcalc does not offer\n"
      "Merovan runtime error: ";
  EXPECT_EQ(result.status, kStatusRunError);
  EXPECT_TRUE(result.errors.starts_with(prefix)) << result.errors;
  std::string reason = result.errors.substr(prefix.size());
  if (!reason.empty()) reason.pop_back();
  return reason;
}

// Reads one pair of integers, then a second pair from what follows.
struct TwoPairs {
  Pair first, second;
  std::string reason;
};

TwoPairs read_two_pairs(std::string input) {
  TwoPairs r;
  RunResult result = run_console(std::move(input), [&] {
    read_statement(59, r.first.a, r.first.b);
    read_statement(59, r.second.a, r.second.b);
  });
  r.reason = failure(result);
  return r;
}

TEST(ListRead, TakesIntegersAcrossBlanksCommasAndLines) {
  struct Case {
    const char* input;
    Pair first, second;
  };
  const Case cases[] = {
      {"1 2\n3 4\n", {1, 2}, {3, 4}},
      {"1,2\n3,4\n", {1, 2}, {3, 4}},
      {"  1 ,  2  \n\n   \n3\n4\n", {1, 2}, {3, 4}},
      {"3\n4\n5 6\n", {3, 4}, {5, 6}},
      {"3,\n4\n5 6\n", {3, 4}, {5, 6}},
      {"1 2 99 100\n3 4\n", {1, 2}, {3, 4}},        // the rest of a line is discarded
      {"1\r\n2\r\n3\t4\r\n", {1, 2}, {3, 4}},      // CR LF and LF end lines alike
      {"1\r2\n3 4", {1, 2}, {3, 4}},               // a lone CR separates; no final LF
      {"+5 -0007\n-2147483647 2147483647\n", {5, -7}, {-2147483647, 2147483647}},
      {",5\n/\n", {kUntouched, 5}, {kUntouched, kUntouched}},
      {"5,,\n,,\n", {5, kUntouched}, {kUntouched, kUntouched}},
      {"2*7\n2*\n", {7, 7}, {kUntouched, kUntouched}},
      {"5/ 6\n1 / 2\n", {5, kUntouched}, {1, kUntouched}},
      {"3*7\n1 2\n", {7, 7}, {1, 2}},              // leftover copies are dropped
      {"2*-4\n1*3,1*+4\n", {-4, -4}, {3, 4}},
      {"2*,\n1 2\n", {kUntouched, kUntouched}, {1, 2}},
  };
  for (const Case& c : cases) {
    TwoPairs r = read_two_pairs(c.input);
    EXPECT_EQ(r.reason, "") << c.input;
    EXPECT_EQ(r.first.a, c.first.a) << c.input;
    EXPECT_EQ(r.first.b, c.first.b) << c.input;
    EXPECT_EQ(r.second.a, c.second.a) << c.input;
    EXPECT_EQ(r.second.b, c.second.b) << c.input;
  }
}

// Runs of blanks of every length up to past two blocks of sixteen, of one
// kind or mixed, before a value, between values, on lines of their own and
// before a bad value, which must be found at its exact place.
TEST(ListRead, SkipsRunsOfBlanksOfEveryLengthAndKind) {
  const std::string kinds[] = {" ", "\t", "\r", " \t\r"};
  for (const std::string& kind : kinds) {
    for (std::size_t n = 0; n <= 40; ++n) {
      std::string run;
      for (std::size_t i = 0; i < n; ++i) run += kind[i % kind.size()];
      SCOPED_TRACE("run of " + std::to_string(n));
      TwoPairs r = read_two_pairs(run + "7" + run + ",8" + run + "\r\n" + run + "\n" + run + "1 2\n");
      EXPECT_EQ(r.reason, "");
      EXPECT_EQ(r.first.a, 7);
      EXPECT_EQ(r.first.b, 8);
      EXPECT_EQ(r.second.a, 1);
      EXPECT_EQ(r.second.b, 2);
      EXPECT_EQ(read_two_pairs("1" + run + " x" + run + "\n").reason, "Bad integer for item 2 in list input");
    }
  }
}

TEST(ListRead, RefusesMalformedIntegersNamingTheItem) {
  struct Case {
    const char* input;
    const char* reason;
  };
  const Case cases[] = {
      {"3.0 1\n", "Bad integer for item 1 in list input"},
      {"3e0 1\n", "Bad integer for item 1 in list input"},
      {"x 1\n", "Bad integer for item 1 in list input"},
      {"- 1\n", "Bad integer for item 1 in list input"},
      {"1 +\n", "Bad integer for item 2 in list input"},
      {"12; 3\n", "Bad integer for item 1 in list input"},
      {"1 -12;\n", "Bad integer for item 2 in list input"},
      {"1 --2\n", "Bad integer for item 2 in list input"},
      {"1\x81\x43 2\n", "Bad integer for item 1 in list input"},
      {"1 \x81\x43 2\n", "Bad integer for item 2 in list input"},
      {"-2*3 1\n", "Bad integer for item 1 in list input"},
      {"2*x\n", "Bad integer for item 1 in list input"},
      {"2**3\n", "Bad integer for item 1 in list input"},
      {"2147483648 1\n", "Integer overflow while reading item 1"},
      {"1 -2147483648\n", "Integer overflow while reading item 2"},
      {"99999999999999999999 1\n", "Integer overflow while reading item 1"},
      {"0*5\n", "Zero repeat count in item 1 of list input"},
      {"1 00*5\n", "Zero repeat count in item 2 of list input"},
      {"200000001*5\n", "Repeat count overflow in item 1 of list input"},
      {"", "End of file"},
      {"\n\n  \n", "End of file"},
      {"1\n", "End of file"},
      {"1,", "End of file"},
      {"1 2", "End of file"},                     // the second statement finds no line
      {"1 2\n", "End of file"},
  };
  for (const Case& c : cases) EXPECT_EQ(read_two_pairs(c.input).reason, c.reason) << c.input;
}

TEST(ListRead, AcceptsTheLargestRepeatCount) {
  TwoPairs r = read_two_pairs("200000000*5\n1 2\n");
  EXPECT_EQ(r.reason, "");
  EXPECT_EQ(r.first.b, 5);
}

std::string read_name(std::string input, std::string* reason = nullptr) {
  std::array<char, 40> name;
  name.fill('#');
  RunResult result = run_console(std::move(input), [&] { read_statement(59, std::span<char>(name)); });
  if (reason != nullptr) *reason = failure(result);
  return {name.data(), name.size()};
}

std::string padded(std::string text) {
  text.resize(40, ' ');
  return text;
}

TEST(ListRead, StoresTextsCutOrPaddedToTheirLength) {
  struct Case {
    std::string input;
    std::string name;
  };
  const Case cases[] = {
      {"Benzene\n", padded("Benzene")},
      {"Benzene ring\n", padded("Benzene")},
      {"Benzene,ring\n", padded("Benzene")},
      {"'Benzene, ring'\n", padded("Benzene, ring")},
      {"\"it's\"\n", padded("it's")},
      {"'it''s'\n", padded("it's")},
      {"''\n", padded("")},
      {"'half\nway'\n", padded("halfway")},
      {"'no end", padded("no end")},
      {"a'b\"c\n", padded("a'b\"c")},
      {"12abc\n", padded("12abc")},
      {"3*abc\n", padded("abc")},
      {"3*'a b'\n", padded("a b")},
      {"3*\n", std::string(40, '#')},
      {",\n", std::string(40, '#')},
      {"/\n", std::string(40, '#')},
      {std::string(50, 'x') + "\n", std::string(40, 'x')},
      {"\x89\xBB\x8D\x87\xFF\n", padded("\x89\xBB\x8D\x87\xFF")},
      {std::string(39, 'y') + "\x89\xBB\n", std::string(39, 'y') + "\x89"},
  };
  for (const Case& c : cases) EXPECT_EQ(read_name(c.input), c.name) << c.input;
}

TEST(ListRead, HandsRepeatedValuesToLaterItemsOfTheirType) {
  std::int32_t i = kUntouched, j = kUntouched;
  float x = -1.0f;
  RunResult ok = run_console("2*1 0.5\n", [&] { read_statement(81, i, j, x); });
  EXPECT_EQ(ok.status, -1);
  EXPECT_EQ(i, 1);
  EXPECT_EQ(j, 1);
  EXPECT_EQ(x, 0.5f);

  RunResult wrong_type = run_console("3*1\n", [&] { read_statement(81, i, j, x); });
  EXPECT_NE(wrong_type.errors.find("Merovan runtime error: Read type INTEGER where REAL was expected for item 3\n"),
            std::string::npos);
}

TEST(ListRead, ReportsAFailedSystemRead) {
  MemoryPlatform platform("1 2\n");
  platform.fail_reads(21);
  Pair p;
  RunResult result = run_console(platform, [&] { read_statement(59, p.a, p.b); });
  EXPECT_EQ(failure(result), "system error 21");
}

TEST(ListRead, ReadsLinesThatArriveInSmallPieces) {
  MemoryPlatform platform(std::string(40000, ' ') + "12\r\n  34\r\n");
  platform.set_read_chunk(7);
  Pair p;
  RunResult result = run_console(platform, [&] { read_statement(59, p.a, p.b); });
  EXPECT_EQ(result.status, -1);
  EXPECT_EQ(p.a, 12);
  EXPECT_EQ(p.b, 34);
}

TEST(ListRead, RefusesLinesBeyondTheLengthLimit) {
  // The line end, LF or CR LF, is not part of the line and does not count.
  const std::string too_long = "Reading more data than the record size (RECL)";
  const std::string pad(16380, ' ');
  struct Case {
    std::string input;
    std::size_t limit;
    std::string reason;
  };
  const Case cases[] = {
      {std::string(11, ' ') + "1 2\n", 10, too_long},
      {"      1 2\r\n", 10, ""},
      {"       1 2\n", 10, ""},         // exactly the limit
      {"       1 2\r\n", 10, ""},       // exactly the limit before CR LF
      {"       1 2", 10, ""},           // exactly the limit, then the end of the input
      {"        1 2\n", 10, too_long},
      {"        1 2\r\n", 10, too_long},
      {"       1 2\r\r\n", 10, too_long}, // only the CR before the LF goes
      // A CR that fills the staging buffer goes with the LF read after it.
      {pad + "1 2\r\n", 16384, ""},
  };
  for (const Case& c : cases) {
    Pair p;
    MemoryPlatform platform(c.input);
    RunResult result = run_console(platform, [&] { read_statement(59, p.a, p.b); }, c.limit);
    EXPECT_EQ(failure(result), c.reason) << c.input.size() << " bytes, limit " << c.limit;
    if (c.reason.empty()) {
      EXPECT_EQ(p.b, 2);
    }
  }
}

}  // namespace
}  // namespace orbcalc
