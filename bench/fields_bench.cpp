// F9.4 rendering of the roots and coefficients that the bundled examples
// produce, by the program's field renderer and by snprintf("%9.4f") on the
// same values. Both must give the same nine bytes for every value.
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "console/fields.hpp"
#include "model/atoms.hpp"

namespace orbcalc::bench {
namespace {

constexpr int kFractionDigits = 4;
constexpr std::size_t kWidth = 9;

// The roots and every coefficient of every example, as the report prints
// them.
const std::vector<float>& typical_values() {
  static const std::vector<float> values = [] {
    std::vector<float> v;
    for (const std::string& name : example_names()) {
      run_answers(example_answers(name));
      const int order = atom_block(molmodel.natom);
      for (int i = 1; i <= order; ++i) v.push_back(hmat(i, i));
      for (int j = 1; j <= order; ++j) {
        for (int i = 1; i <= order; ++i) v.push_back(vmat(i, j));
      }
    }
    return v;
  }();
  return values;
}

void render_with_snprintf(std::array<char, 16>& out, float value) {
  std::snprintf(out.data(), out.size(), "%9.4f", static_cast<double>(value));
}

bool fields_agree(benchmark::State& state) {
  for (float value : typical_values()) {
    std::array<char, kWidth> field;
    write_f(field, value, kFractionDigits);
    std::array<char, 16> reference{};
    render_with_snprintf(reference, value);
    if (std::strlen(reference.data()) != kWidth || std::memcmp(field.data(), reference.data(), kWidth) != 0) {
      char what[96];
      std::snprintf(what, sizeof what, "F9.4 of %.9g gives '%.9s', snprintf gives '%s'", static_cast<double>(value),
                    field.data(), reference.data());
      disagree(state, what);
      return false;
    }
  }
  return true;
}

void count_values(benchmark::State& state) {
  const double per_iteration = static_cast<double>(typical_values().size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(typical_values().size()));
  state.counters["per_value"] =
      benchmark::Counter(per_iteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["values"] = per_iteration;
}

void BM_F94_WriteF(benchmark::State& state) {
  if (!fields_agree(state)) return;
  std::array<char, kWidth> field;
  for (auto _ : state) {
    for (float value : typical_values()) {
      write_f(field, value, kFractionDigits);
      benchmark::DoNotOptimize(field);
    }
  }
  count_values(state);
}
BENCHMARK(BM_F94_WriteF);

void BM_F94_Snprintf(benchmark::State& state) {
  if (!fields_agree(state)) return;
  std::array<char, 16> text;
  for (auto _ : state) {
    for (float value : typical_values()) {
      render_with_snprintf(text, value);
      benchmark::DoNotOptimize(text);
    }
  }
  count_values(state);
}
BENCHMARK(BM_F94_Snprintf);

}  // namespace
}  // namespace orbcalc::bench
