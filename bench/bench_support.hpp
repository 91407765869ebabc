// What the benchmarks share: a platform whose standard input never runs
// dry and whose output goes nowhere, the bundled answer files, and the
// record of values on which the program and its library reference
// disagreed, which makes the whole benchmark run fail.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/platform.hpp"

namespace orbcalc::bench {

// Thrown where the process would end.
struct BenchExit {
  int status;
};

// Standard input is `leading_blanks` blanks, then `text`, then `text` again
// and again when `repeat` is set (otherwise the end of the input). Output
// is counted and dropped; an exit throws BenchExit.
class BenchPlatform final : public Platform {
 public:
  explicit BenchPlatform(std::string text, bool repeat = true, std::size_t leading_blanks = 0)
      : text_(std::move(text)), repeat_(repeat), blanks_left_(leading_blanks) {}

  IoResult read(StdStream stream, std::span<char> into) override;
  IoResult write(StdStream stream, std::span<const char> bytes) override;
  std::string error_text(int error) override { return "system error " + std::to_string(error); }
  int out_of_memory_error() override { return 12; }
  void install_fault_handler() override {}
  [[noreturn]] void exit(int status) override { throw BenchExit{status}; }
  [[noreturn]] void exit_from_fault(int status) override { throw BenchExit{status}; }

  std::size_t output_bytes() const { return output_bytes_; }
  const std::string& errors() const { return errors_; }

 private:
  std::string text_;
  bool repeat_;
  std::size_t blanks_left_;
  std::size_t at_ = 0;
  std::size_t output_bytes_ = 0;
  std::string errors_;
};

// The bytes of examples/<name>.txt.
std::string example_answers(std::string_view name);
// The names of every bundled example, without the .txt.
std::vector<std::string> example_names();

// Lines `first` to `first + count - 1` of `text` (0-based), with their
// line ends.
std::string lines_of(const std::string& text, int first, int count);

// Runs the whole program in-process on these answers, with a fresh work
// record; returns its exit status. The record keeps the results.
int run_answers(const std::string& answers);

// Marks the benchmark as failed because the program and the reference
// disagree, and makes the run's exit status non-zero.
void disagree(benchmark::State& state, const std::string& what);
int disagreements();

}  // namespace orbcalc::bench
