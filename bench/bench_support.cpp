#include "bench_support.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "console/runtime.hpp"
#include "model/molmodel.hpp"
#include "run/orbcalc.hpp"

namespace orbcalc::bench {
namespace {

int disagreement_count = 0;

}  // namespace

IoResult BenchPlatform::read(StdStream, std::span<char> into) {
  if (blanks_left_ > 0) {
    std::size_t n = std::min(blanks_left_, into.size());
    std::memset(into.data(), ' ', n);
    blanks_left_ -= n;
    return {n, 0};
  }
  if (at_ == text_.size()) {
    if (!repeat_ || text_.empty()) return {0, 0};
    at_ = 0;
  }
  std::size_t n = std::min(text_.size() - at_, into.size());
  std::memcpy(into.data(), text_.data() + at_, n);
  at_ += n;
  return {n, 0};
}

IoResult BenchPlatform::write(StdStream stream, std::span<const char> bytes) {
  if (stream == StdStream::error) {
    errors_.append(bytes.data(), bytes.size());
  } else {
    output_bytes_ += bytes.size();
  }
  return {bytes.size(), 0};
}

std::string example_answers(std::string_view name) {
  std::filesystem::path path = std::filesystem::path(ORBCALC_SOURCE_DIR) / "examples" / (std::string(name) + ".txt");
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(2);
  }
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> example_names() {
  std::vector<std::string> names;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(ORBCALC_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string lines_of(const std::string& text, int first, int count) {
  auto line_start = [&](int line) {
    std::size_t at = 0;
    for (int i = 0; i < line && at < text.size(); ++i) {
      at = text.find('\n', at);
      at = at == std::string::npos ? text.size() : at + 1;
    }
    return at;
  };
  std::size_t begin = line_start(first);
  return text.substr(begin, line_start(first + count) - begin);
}

int run_answers(const std::string& answers) {
  molmodel = {};
  BenchPlatform platform(answers, false);
  runtime_start(0, nullptr, platform);
  try {
    orbcalc_main();
  } catch (const BenchExit& exit) {
    return exit.status;
  }
  return -1;
}

void disagree(benchmark::State& state, const std::string& what) {
  ++disagreement_count;
  std::fprintf(stderr, "DISAGREEMENT: %s\n", what.c_str());
  state.SkipWithError(what.c_str());
}

int disagreements() { return disagreement_count; }

}  // namespace orbcalc::bench
