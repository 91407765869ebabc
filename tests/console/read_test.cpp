// Free-form reads: real values, their infinity and NaN spellings, and the
// limits of an input line. The other answer forms are end-to-end cases.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "console/statement.hpp"
#include "dialogue/dialogue.hpp"
#include "support/console_harness.hpp"

namespace orbcalc {
namespace {

using testing::run_console;
using testing::RunResult;

constexpr std::uint32_t kUntouchedBits = 0x12345678u;

struct Triple {
  std::int32_t i = -1;
  std::int32_t j = -1;
  float x = std::bit_cast<float>(kUntouchedBits);
  std::string reason;  // the reason line, or "" when the read succeeded
  std::uint32_t bits() const { return std::bit_cast<std::uint32_t>(x); }
};

Triple read_triple(std::string input, std::size_t record_limit = kRecordLengthLimit, int read_error = 0) {
  Triple t;
  testing::MemoryPlatform platform(std::move(input));
  platform.fail_reads(read_error);
  RunResult result = run_console(
      platform, [&] { read_statement(dialogue::kReadHetero, t.i, t.j, t.x); }, record_limit);
  if (result.status != -1) {
    std::size_t at = result.errors.find("Merovan runtime error: ");
    t.reason = result.errors.substr(at + 23);
    t.reason.pop_back();
  }
  return t;
}

// A typed value and the bits it must read as, third in a hetero triple.
struct ValueCase {
  const char* value;
  std::uint32_t bits;
};

template <std::size_t N>
void expect_values(const ValueCase (&cases)[N]) {
  for (const ValueCase& c : cases) {
    Triple t = read_triple(std::string("1 2 ") + c.value + "\n");
    EXPECT_EQ(t.reason, "") << c.value;
    EXPECT_EQ(t.bits(), c.bits) << c.value;
  }
}

TEST(RealRead, ConvertsEveryNumberForm) {
  const ValueCase cases[] = {
      {"1", 0x3F800000u},        {"1.", 0x3F800000u},       {".5", 0x3F000000u},      {"1e3", 0x447A0000u},
      {"1D3", 0x447A0000u},      {"1d+3", 0x447A0000u},     {"1E-0", 0x3F800000u},    {"1.5-3", 0x3AC49BA6u},
      {"1.5+3", 0x44BB8000u},    {"+.5e+1", 0x40A00000u},   {"-", 0x80000000u},       {".", 0x00000000u},
      {"+.", 0x00000000u},       {"-.e7", 0x80000000u},     {"0.1", 0x3DCCCCCDu},     {"16777217", 0x4B800000u},
      {"16777219", 0x4B800002u}, {"1e39", 0x7F800000u},     {"-1e39", 0xFF800000u},   {"1e-46", 0x00000000u},
      {"7.1e-46", 0x00000001u},  {"1e-99999", 0x00000000u}, {"1e99999", 0x7F800000u}, {"-0", 0x80000000u},
      {"2", 0x40000000u},        {"0e6000", 0x00000000u},   {"-0e5001", 0x80000000u}, {"3*2.5", 0x40200000u},
      {"2*-.5", 0xBF000000u},
  };
  expect_values(cases);
}

TEST(RealRead, ReadsInfinitiesAndNans) {
  const ValueCase cases[] = {
      {"inf", 0x7F800000u},
      {"INF", 0x7F800000u},
      {"Infinity", 0x7F800000u},
      {"-inf", 0xFF800000u},
      {"+iNfInItY", 0x7F800000u},
      {"nan", 0x7F8EA46Bu},
      {"-NaN", 0xFF8EA46Bu},
      {"nan(7fffff)", 0x7FFFFFFFu},
      {"nan(1)", 0x7F800001u},
      {"nan()", 0x7F800000u},
      {"nan(0)", 0x7F800000u},
      {"-nan(800000)", 0xFF800000u},
      {"nan(123456789)", 0x7FC56789u},
      {"NAN", 0x7F8EA46Bu},
      {"nan(A)", 0x7F80000Au},
      {"NaN(AbCdEf)", 0x7FABCDEFu},
      {"-nAn(F)", 0xFF80000Fu},
  };
  expect_values(cases);
}

TEST(RealRead, LeavesTheCharacterAfterAnInfinityForTheNextItem) {
  float x = 0, y = 0;
  RunResult result = run_console("infx 5\n", [&] { read_statement(dialogue::kReadHetero, x, y); });
  // The "x" given back is no separator, so the next value is malformed.
  EXPECT_NE(result.errors.find("Bad real number in item 2 of list input"), std::string::npos);
  RunResult spaced = run_console("inf 5\n", [&] { read_statement(dialogue::kReadHetero, x, y); });
  EXPECT_EQ(spaced.status, -1);
  EXPECT_EQ(y, 5.0f);
}

TEST(RealRead, RefusesMalformedRealsNamingTheItem) {
  struct Case {
    const char* value;
    const char* reason;
  };
  const Case cases[] = {
      {"1.2.3", "Bad real number in item 3 of list input"},     {"1e", "Bad real number in item 3 of list input"},
      {"1e+", "Bad real number in item 3 of list input"},       {"1.5-", "Bad real number in item 3 of list input"},
      {"1q3", "Bad real number in item 3 of list input"},       {"1;", "Bad real number in item 3 of list input"},
      {"x", "Bad real number in item 3 of list input"},         {"e5", "Bad real number in item 3 of list input"},
      {"2*inf", "Bad real number in item 3 of list input"},     {"2*x", "Bad real number in item 3 of list input"},
      {"in", "Bad infinity in item 3 of list input"},           {"infinit", "Bad infinity in item 3 of list input"},
      {"infinite", "Bad infinity in item 3 of list input"},     {"nax", "Bad not-a-number in item 3 of list input"},
      {"nan(12g)", "Bad not-a-number in item 3 of list input"}, {"nan(12", "Bad not-a-number in item 3 of list input"},
      {"NAN(G)", "Bad not-a-number in item 3 of list input"},   {"nam", "Bad not-a-number in item 3 of list input"},
      {"0*1.5", "Zero repeat count in item 3 of list input"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read_triple(std::string("1 2 ") + c.value + "\n").reason, c.reason) << c.value;
  }
}

TEST(ListRead, RefusesLinesBeyondTheLengthLimit) {
  // The line end, LF or CR LF, is not part of the line and does not count.
  const std::string too_long = "Reading more data than the record size (RECL)";
  struct Case {
    std::string input;
    std::size_t limit;
    std::string reason;
  };
  const Case cases[] = {
      {"     1 2 3\n", 10, ""},    // exactly the limit
      {"     1 2 3\r\n", 10, ""},  // exactly the limit before CR LF
      {"     1 2 3", 10, ""},      // exactly the limit, then the end of the input
      {"      1 2 3\n", 10, too_long},
      {"      1 2 3\r\n", 10, too_long},
      {"     1 2 3\r\r\n", 10, too_long},  // only the CR before the LF goes
      // A line end that falls after the 16384 bytes of the staging buffer:
      // a CR before it goes, the last byte of the line stays.
      {std::string(16378, ' ') + "1 2 3\r\n", 16384, ""},
      {std::string(16379, ' ') + "1 2 3\n", 16384, ""},
  };
  for (const Case& c : cases) {
    Triple t = read_triple(c.input, c.limit);
    EXPECT_EQ(t.reason, c.reason) << c.input.size() << " bytes, limit " << c.limit;
    if (c.reason.empty()) {
      EXPECT_EQ(t.x, 3.0f);
    }
  }
  EXPECT_EQ(read_triple("1 2 3\n", kRecordLengthLimit, 21).reason, "system error 21");
}

}  // namespace
}  // namespace orbcalc
