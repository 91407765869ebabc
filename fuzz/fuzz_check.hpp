// What the fuzz targets check about a run of the console layer: the shape
// of a fatal report, the reasons it may give, and the records on standard
// output. A broken rule prints what was seen and aborts, which libFuzzer
// records as a finding and the corpus replay as a failed test.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "console/item.hpp"
#include "console/statement.hpp"

namespace orbcalc::fuzzing {

// An item of a statement in an allocation of exactly its size, so that a
// read or store past its end is caught.
struct Item {
  ItemType type;
  std::size_t length;
  std::unique_ptr<char[]> bytes;
};

// An item holding `length` bytes, all `fill`, or a copy of `value`.
Item make_item(ItemType type, std::size_t length, char fill);
Item make_item(ItemType type, std::string_view value);
// Passes the item to the statement in progress.
void transfer_item(Item& item);
// The bytes of all the items, one after the other.
std::string snapshot(const std::vector<Item>& items);

// Aborts, naming the rule and showing `seen`, unless `holds`.
void require(bool holds, std::string_view rule, std::string_view seen = {});

// True when `text` has the shape of `pattern`: "%d" stands for an
// optional minus sign and one or more digits, "%s" for a type word
// (INTEGER, REAL or CHARACTER), every other byte for itself. The values
// of the "%d" parts are appended to `numbers`.
bool matches(std::string_view pattern, std::string_view text, std::vector<std::int64_t>* numbers = nullptr);

// The pattern of `patterns` that `text` matches, or an empty view; the
// numbers it holds go to `numbers`.
std::string_view matching_pattern(std::span<const std::string_view> patterns, std::string_view text,
                                  std::vector<std::int64_t>* numbers);

// The reasons a free-form read can end the run with, besides the end of
// the input and an overlong line. Each "%d" after "item" is the item
// number.
inline constexpr std::string_view kReaderReasons[] = {
    "Bad integer for item %d in list input",          "Integer overflow while reading item %d",
    "Zero repeat count in item %d of list input",     "Repeat count overflow in item %d of list input",
    "Read type %s where %s was expected for item %d", "Bad real number in item %d of list input",
    "Bad infinity in item %d of list input",          "Bad not-a-number in item %d of list input",
};
inline constexpr std::string_view kEndOfFile = "End of file";
inline constexpr std::string_view kLineTooLong = "Reading more data than the record size (RECL)";
inline constexpr std::string_view kRecordTooLong = "Writing more data than the record size (RECL)";

// The first line of a layout error's three-line reason.
inline constexpr std::string_view kLayoutMessages[] = {
    "Missing initial left parenthesis in format",
    "Unexpected end of format string",
    "Unexpected element in format",
    "Unterminated character constant in format",
    "Nonnegative width required in format",
    "Period required in format",
    "Minimum digits exceeds field width",
    "Exhausted data descriptors in format",
    "Too many items in format",
    "Expected %s for item %d in formatted transfer, got %s",
};

// The answers the calculation itself refuses, at lines 16, 59 and 81.
inline constexpr std::string_view kAtomCountRefused = "Number of atoms %d exceeds the limit of 30";
inline constexpr std::string_view kBondIndexRefused[] = {"Atom 1 of bond %d is %d, outside 1 to 30",
                                                         "Atom 2 of bond %d is %d, outside 1 to 30"};
inline constexpr std::string_view kHeteroIndexRefused[] = {"Row of hetero parameter %d is %d, outside 1 to 30",
                                                           "Column of hetero parameter %d is %d, outside 1 to 30"};

// A failed write of the in-memory platform.
inline constexpr std::string_view kSystemError = "system error %d";

// Standard error of a run that ended through the run-error path: the
// locus line when a statement was in progress, the traceback notice, the
// reason.
struct RunErrorReport {
  int line = 0;   // 0: no locus line
  int unit = -1;  // -1: a locus line without a unit
  std::string reason;
};

// Takes standard error apart; aborts when it is not a run-error report.
RunErrorReport parse_run_error(std::string_view errors);

// True when `reason` is the end of the input, an overlong line or one of
// the reader's reasons; aborts when a reader's reason names no item of a
// statement of `items` items.
bool is_read_failure(std::string_view reason, std::int64_t items);

// Every write to standard output is one record's bytes followed by a
// write of the terminator CR LF, or the terminator alone for an empty
// record: nothing of a record reaches the output before it ends, and no
// record is left without its terminator.
void require_whole_records(const std::vector<std::string>& writes);

}  // namespace orbcalc::fuzzing
