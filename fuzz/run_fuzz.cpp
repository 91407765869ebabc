// Fuzz target: a whole run of the calculator on random standard input,
// through the in-memory platform, whose exit ends the run by an exception
// so that one process runs dialogue after dialogue.
//
// The input is standard input, any bytes. Each input runs three times:
// with the input in large blocks, with the input a few bytes per system
// read, and with standard output failing halfway through what the first
// run wrote.
//
// Checks: a run ends with status 0, or with status 2 and a report whose
// locus and reason belong together (a read's reasons at the read lines,
// the refused counts and indices at theirs); every output record ends
// with CR LF; a finished run keeps every count and index inside the
// record and lists its roots in descending order; how the input arrives
// changes nothing; and lost output never ends a run with status 0.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "dialogue/dialogue.hpp"
#include "fuzz_check.hpp"
#include "model/molmodel.hpp"
#include "run/orbcalc.hpp"
#include "support/console_harness.hpp"

namespace orbcalc::fuzzing {
namespace {

using testing::MemoryPlatform;
using testing::RunResult;
using namespace dialogue;

// The program's records are all short; a short limit keeps long answers
// cheap, since a line stops growing at the limit.
constexpr std::size_t kRecordLimit = 4096;
constexpr int kNoSpace = 28;
constexpr std::string_view kBannerLine = " ***  Hueckel Molecular Orbital Calculation  ***\r\n";

struct ReadLine {
  int line;
  std::int64_t items;
};
constexpr ReadLine kReadLines[] = {{kReadName.line, 1},      {kReadAtoms.line, 1},       {kReadBonds.line, 1},
                                   {kReadElectrons.line, 1}, {kReadHeteroCount.line, 1}, {kReadFinalAnswer.line, 1},
                                   {kReadBond.line, 2},      {kReadHetero.line, 3}};
constexpr int kWriteLines[] = {
    kBanner.line,       kAskName.line,   kAskAtoms.line,  kAskBonds.line,   kAskElectrons.line, kAskHeteroCount.line,
    kNameEcho.line,     kCountEcho.line, kAskAnyKey.line, kBondHeader.line, kBondPrompt.line,   kHeteroHeader.line,
    kHeteroPrompt.line, kHeading.line,   kRootLine.line,  kEmptyLine.line,  kAtomLine.line,     kBlockEnd.line};

struct Run {
  RunResult result;
  std::vector<std::string> writes;
  std::string record;  // molmodel's bytes at the end
};

Run run(std::string_view input, std::size_t chunk, std::size_t output_budget = SIZE_MAX) {
  MemoryPlatform platform{std::string(input)};
  platform.set_read_chunk(chunk);
  if (output_budget != SIZE_MAX) platform.fail_output(kNoSpace, output_budget);
  Run r;
  r.result = testing::run_program(platform, kRecordLimit);
  r.writes = platform.output_writes();
  r.record.assign(reinterpret_cast<const char*>(&molmodel), sizeof molmodel);
  return r;
}

// Standard error without the notice a run may give before it goes on.
std::string_view diagnostics(const RunResult& result) {
  std::string_view errors = result.errors;
  if (errors.starts_with(kNotConverged)) errors.remove_prefix(kNotConverged.size() + 1);
  return errors;
}

// The reason of a failed read: the reader's, or an answer the calculation
// refuses at its line.
void check_read_failure(const RunErrorReport& report, const ReadLine& read) {
  if (is_read_failure(report.reason, read.items)) return;
  std::vector<std::int64_t> numbers;
  const bool refused =
      (read.line == kReadAtoms.line && matches(kAtomCountRefused, report.reason, &numbers) && numbers[0] > kMaxAtoms) ||
      (read.line == kReadBond.line && !matching_pattern(kBondIndexRefused, report.reason, &numbers).empty()) ||
      (read.line == kReadHetero.line && !matching_pattern(kHeteroIndexRefused, report.reason, &numbers).empty());
  require(refused && (read.line == kReadAtoms.line || !is_atom_index(static_cast<std::int32_t>(numbers[1]))),
          "a count above 30 atoms or an index outside 1 to 30 is refused at its read", report.reason);
}

void check_finished_record() {
  require(molmodel.natom <= kMaxAtoms, "a finished run has at most 30 atoms");
  for (std::size_t b = 0; b < static_cast<std::size_t>(std::clamp(molmodel.nbond, 0, kMaxBonds)); ++b) {
    require(is_atom_index(molmodel.iat[b]) && is_atom_index(molmodel.jat[b]), "every listed bond joins atoms 1 to 30");
  }
  bool finite = true;
  for (int i = 1; i <= molmodel.natom; ++i) finite = finite && std::isfinite(hmat(i, i));
  for (int i = 1; finite && i < molmodel.natom; ++i) {
    require(hmat(i, i) >= hmat(i + 1, i + 1), "the roots stand in descending order");
  }
}

void check_whole_run(const Run& r) {
  const RunResult& result = r.result;
  require_whole_records(r.writes);
  require(result.output.starts_with(kBannerLine), "every run starts with the banner", result.output);
  if (result.status == kStatusNormal) {
    require(diagnostics(result).empty(), "a normal end writes no diagnostic", result.errors);
    return;
  }
  require(result.status == kStatusRunError, "a run ends with status 0 or 2", result.errors);
  RunErrorReport report = parse_run_error(diagnostics(result));
  // Reads are the only statements that can fail while output is taken.
  const ReadLine* read = std::ranges::find(kReadLines, report.line, &ReadLine::line);
  require(read != std::end(kReadLines) && report.unit == kInputUnit, "only a read fails", result.errors);
  check_read_failure(report, *read);
}

// Output lost from byte `budget` on: the run fails, with its own reason or
// with the system's.
void check_lost_output(const Run& lost, const Run& whole) {
  const RunResult& result = lost.result;
  require(result.status == kStatusRunError, "lost output ends the run with status 2", result.errors);
  RunErrorReport report = parse_run_error(diagnostics(result));
  const bool at_write =
      report.unit == kOutputUnit && std::ranges::find(kWriteLines, report.line) != std::end(kWriteLines);
  const bool at_stop = report.unit == -1 && report.line == kStopLine;
  require(report.reason == "system error 28" ? at_write || at_stop : diagnostics(result) == diagnostics(whole.result),
          "lost output is reported at a write or at the stop, or the run fails as it does with its output",
          result.errors);
}

}  // namespace
}  // namespace orbcalc::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbcalc::fuzzing;
  std::string_view input(reinterpret_cast<const char*>(data), size);

  Run whole = run(input, 16384);
  check_whole_run(whole);
  if (whole.result.status == orbcalc::kStatusNormal) check_finished_record();

  Run pieces = run(input, 1 + size % 5);
  require(pieces.result.status == whole.result.status && pieces.result.output == whole.result.output &&
              pieces.result.errors == whole.result.errors && pieces.record == whole.record,
          "a run does not depend on how the input arrives", pieces.result.errors);

  Run lost = run(input, 16384, whole.result.output.size() / 2);
  check_lost_output(lost, whole);
  return 0;
}
