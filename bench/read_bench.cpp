// Free-form reads as the dialogue does them, per value: the bond pairs of
// the 30-atom examples (integers) and hetero triples (two integers and a
// real), read over and over from an input that never ends; and one answer
// after a line of 100 MB of blanks, in MB/s.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "bench_support.hpp"
#include "console/runtime.hpp"
#include "console/statement.hpp"
#include "dialogue/dialogue.hpp"

namespace orbcalc::bench {
namespace {

constexpr ReadStatement kBondLine = dialogue::kReadBond;
constexpr ReadStatement kHeteroLine = dialogue::kReadHetero;
constexpr ReadStatement kAtomCountLine = dialogue::kReadAtoms;
constexpr int kHeaderLines = 5;
constexpr int kBondCountLine = 2;
constexpr int kHeteroCountLine = 4;
constexpr std::size_t kBlankLineBytes = 100'000'000;

int count_on_line(const std::string& answers, int line) { return std::atoi(lines_of(answers, line, 1).c_str()); }

// The bond lines of an example, as many as its third answer says, after the
// five answers of the header.
std::string bonds_of(const std::string& answers) {
  return lines_of(answers, kHeaderLines, count_on_line(answers, kBondCountLine));
}

// Its hetero lines, as many as its fifth answer says, after the bonds.
std::string heteros_of(const std::string& answers) {
  return lines_of(answers, kHeaderLines + count_on_line(answers, kBondCountLine),
                  count_on_line(answers, kHeteroCountLine));
}

// The bond lines of both 30-atom examples.
std::string bond_lines() { return bonds_of(example_answers("annulene30")) + bonds_of(example_answers("polyene30")); }

// The hetero lines of the examples, and more triples as people type them.
std::string hetero_lines() {
  return heteros_of(example_answers("pyridine")) + heteros_of(example_answers("pyrrole")) +
         "2 2 0.5\n3 3 -0.3\n1 2 0.8\n4 4 1.\n5 5 .75\n1,6,0.9\n 6 6 2.0e-1\n";
}

void count_values(benchmark::State& state, int per_statement) {
  state.SetItemsProcessed(state.iterations() * per_statement);
  state.counters["per_value"] =
      benchmark::Counter(per_statement, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The values of one pass over `text` as the reader gives them must be what
// strtol and strtof make of the same fields. `kinds` has an i for each
// integer item and an r for each real item; `read_line` reads one statement
// and returns its values the way `expected` below spells them.
template <class Read>
bool reads_agree(benchmark::State& state, const std::string& text, std::string_view kinds, Read read_line) {
  BenchPlatform platform(text, false);
  runtime_start(0, nullptr, platform);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::string separated = line;
    for (char& c : separated) {
      if (c == ',') c = ' ';
    }
    std::istringstream fields(separated);
    std::string expected;
    for (char kind : kinds) {
      std::string field;
      fields >> field;
      expected += kind == 'i' ? std::to_string(std::strtol(field.c_str(), nullptr, 10))
                              : std::to_string(std::bit_cast<std::uint32_t>(std::strtof(field.c_str(), nullptr)));
      expected += ' ';
    }
    std::string got;
    try {
      got = read_line();
    } catch (const BenchExit&) {
      disagree(state, "the reader refuses '" + line + "': " + platform.errors());
      return false;
    }
    if (got != expected) {
      disagree(state, "the reader gives '" + got + "' for '" + line + "', expected '" + expected + "'");
      return false;
    }
  }
  return true;
}

void BM_Read_BondPairs(benchmark::State& state) {
  const std::string text = bond_lines();
  std::int32_t a = 0;
  std::int32_t b = 0;
  auto read_pair = [&] {
    read_statement(kBondLine, a, b);
    return std::to_string(a) + " " + std::to_string(b) + " ";
  };
  if (!reads_agree(state, text, "ii", read_pair)) return;
  BenchPlatform platform(text);
  runtime_start(0, nullptr, platform);
  for (auto _ : state) {
    read_statement(kBondLine, a, b);
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
  }
  count_values(state, 2);
}
BENCHMARK(BM_Read_BondPairs);

void BM_Read_HeteroTriples(benchmark::State& state) {
  const std::string text = hetero_lines();
  std::int32_t row = 0;
  std::int32_t column = 0;
  float value = 0.0f;
  auto read_triple = [&] {
    read_statement(kHeteroLine, row, column, value);
    return std::to_string(row) + " " + std::to_string(column) + " " +
           std::to_string(std::bit_cast<std::uint32_t>(value)) + " ";
  };
  if (!reads_agree(state, text, "iir", read_triple)) return;
  BenchPlatform platform(text);
  runtime_start(0, nullptr, platform);
  for (auto _ : state) {
    read_statement(kHeteroLine, row, column, value);
    benchmark::DoNotOptimize(row);
    benchmark::DoNotOptimize(column);
    benchmark::DoNotOptimize(value);
  }
  count_values(state, 3);
}
BENCHMARK(BM_Read_HeteroTriples);

// Each iteration is a fresh start: the line is taken from the system in
// staging-buffer pieces, copied into the record buffer as it grows, and
// the blanks are skipped up to the one value on it.
void BM_Read_BlankLine100MB(benchmark::State& state) {
  std::int32_t natom = 0;
  for (auto _ : state) {
    BenchPlatform platform("7\n", false, kBlankLineBytes);
    runtime_start(0, nullptr, platform);
    read_statement(kAtomCountLine, natom);
    if (natom != 7) {
      disagree(state, "the value after the blank line is " + std::to_string(natom) + ", not 7");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kBlankLineBytes));
  state.counters["MB"] =
      benchmark::Counter(static_cast<double>(kBlankLineBytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Read_BlankLine100MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orbcalc::bench
