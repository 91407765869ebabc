// The conversion of scanned real values to single precision, per value, by
// the program's convert_real and by strtof on the same texts. Both round
// correctly, so every value must come out with the same bits.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "console/real_convert.hpp"

namespace orbcalc::bench {
namespace {

// A fixed pseudo-random sequence, the same on every machine.
class SplitMix {
 public:
  explicit SplitMix(std::uint64_t start) : state_(start) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

// Hetero values as people type them (in the form the reader hands over:
// the exponent as e and a sign), then decimal numbers of 1 to 9 digits with
// a period somewhere and an exponent now and then.
const std::vector<std::string>& real_texts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t = {"0.5",   "1.5",    "0.8",    "-0.5", "1.0",  "0.25", "2.",    ".5",
                                  "-1.",   "0.0",    "-0.3",   "0.75", "1.2",  "0.9",  "1.1",   "0.7",
                                  "2.0",   "-0.1",   "0.1e+1", "5e-1", "0.45", "-1.5", "0.866", "1.4142",
                                  "0.333", "1.5e-3", "2.5e+0", "0.6",  "-2.",  "0.05", "3.0",   "-0.75"};
    SplitMix random(20240611);
    while (t.size() < 2048) {
      std::string text = random.below(4) == 0 ? "-" : "";
      const int digits = 1 + random.below(9);
      const int period = random.below(digits + 1);
      for (int i = 0; i < digits; ++i) {
        if (i == period) text += '.';
        text += static_cast<char>('0' + random.below(10));
      }
      if (period == digits) text += '.';
      if (random.below(3) == 0) {
        const int exponent = random.below(21) - 10;
        text += exponent < 0 ? "e-" : "e+";
        text += std::to_string(exponent < 0 ? -exponent : exponent);
      }
      t.push_back(text);
    }
    return t;
  }();
  return texts;
}

bool conversions_agree(benchmark::State& state) {
  for (const std::string& text : real_texts()) {
    const std::uint32_t ours = std::bit_cast<std::uint32_t>(convert_real(text));
    const std::uint32_t reference = std::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr));
    if (ours != reference) {
      char what[96];
      std::snprintf(what, sizeof what, "convert_real(\"%s\") gives %08X, strtof gives %08X", text.c_str(),
                    static_cast<unsigned>(ours), static_cast<unsigned>(reference));
      disagree(state, what);
      return false;
    }
  }
  return true;
}

void count_values(benchmark::State& state) {
  const double per_iteration = static_cast<double>(real_texts().size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(real_texts().size()));
  state.counters["per_value"] =
      benchmark::Counter(per_iteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Real_ConvertReal(benchmark::State& state) {
  if (!conversions_agree(state)) return;
  for (auto _ : state) {
    for (const std::string& text : real_texts()) benchmark::DoNotOptimize(convert_real(text));
  }
  count_values(state);
}
BENCHMARK(BM_Real_ConvertReal);

void BM_Real_Strtof(benchmark::State& state) {
  if (!conversions_agree(state)) return;
  for (auto _ : state) {
    for (const std::string& text : real_texts()) benchmark::DoNotOptimize(std::strtof(text.c_str(), nullptr));
  }
  count_values(state);
}
BENCHMARK(BM_Real_Strtof);

}  // namespace
}  // namespace orbcalc::bench
