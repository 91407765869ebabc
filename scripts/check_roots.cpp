// Checks the roots that each example's expected report prints against an
// eigen-solution of the same matrix computed here independently, in double
// precision, which for chains and rings is checked in turn against their
// closed forms. Expected reports are regenerated from the program itself;
// run this after regenerating them, so that they stay honest:
//
//   cmake --build --preset default --target check-roots
//
// It prints each disagreement and exits with status 1 if there is one.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Matrix = std::vector<std::vector<double>>;

// Cyclic Jacobi with the classic small-angle rotation; the roots in
// descending order.
std::vector<double> eigenvalues(Matrix a) {
  const std::size_t n = a.size();
  for (int sweep = 0; sweep < 100; ++sweep) {
    for (std::size_t p = 0; p < n; ++p) {
      for (std::size_t q = p + 1; q < n; ++q) {
        if (std::fabs(a[p][q]) < 1e-300) continue;
        double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
        double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
        double c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (std::size_t k = 0; k < n; ++k) {
          double kp = a[k][p], kq = a[k][q];
          a[k][p] = c * kp - s * kq;
          a[k][q] = s * kp + c * kq;
        }
        for (std::size_t k = 0; k < n; ++k) {
          double pk = a[p][k], qk = a[q][k];
          a[p][k] = c * pk - s * qk;
          a[q][k] = s * pk + c * qk;
        }
      }
    }
  }
  std::vector<double> roots;
  for (std::size_t i = 0; i < n; ++i) roots.push_back(a[i][i]);
  std::sort(roots.rbegin(), roots.rend());
  return roots;
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Checks one example; returns the number of disagreements it printed.
int check_example(const fs::path& answers_file, const fs::path& report_file) {
  int failures = 0;
  auto fail = [&](const std::string& what) {
    std::cout << answers_file.filename().string() << ": " << what << "\n";
    ++failures;
  };
  // A name line, the four counts, the bond pairs and the hetero triples.
  std::istringstream answers(read_file(answers_file));
  std::string name, value;
  std::getline(answers, name);
  int n = 0, bonds = 0, electrons = 0, hetero = 0, i = 0, j = 0;
  answers >> n >> bonds >> electrons >> hetero;
  const auto size = static_cast<std::size_t>(n);
  Matrix h(size, std::vector<double>(size, 0.0));
  bool chain = hetero == 0, ring = hetero == 0;
  for (int b = 1; b <= bonds + hetero && answers >> i >> j; ++b) {
    if (b > bonds) answers >> value;
    // The program stores every value in single precision.
    const auto row = static_cast<std::size_t>(i - 1), column = static_cast<std::size_t>(j - 1);
    h[row][column] = h[column][row] = b > bonds ? std::strtof(value.c_str(), nullptr) : 1.0;
    chain = chain && bonds == n - 1 && i == b && j == b + 1;
    ring = ring && bonds == n && i == b && j == b % n + 1;
  }
  const std::vector<double> roots = eigenvalues(h);
  std::vector<double> closed;
  for (int k = 1; k <= n && (chain || ring); ++k) {
    closed.push_back(chain ? 2 * std::cos(k * std::numbers::pi / (n + 1)) : 2 * std::cos(2 * std::numbers::pi * k / n));
  }
  std::sort(closed.rbegin(), closed.rend());
  for (std::size_t k = 0; k < closed.size(); ++k) {
    if (std::fabs(roots[k] - closed[k]) > 1e-12) fail("root " + std::to_string(k + 1) + " is not the closed form's");
  }

  // The roots stand on the line after the heading's empty line, eight
  // F9.4 fields a block; blocks are 2 + n + 2 lines apart.
  std::istringstream report(read_file(report_file));
  std::vector<std::string> lines;
  for (std::string line; std::getline(report, line);) lines.push_back(line);
  const auto heading = std::find(lines.begin(), lines.end(), " -- Eigenvalues and Eigenvectors --\r");
  if (heading == lines.end()) {
    fail("no table in " + report_file.string());
    return failures;
  }
  for (std::size_t k = 0; k < roots.size(); ++k) {
    const std::string& line = *(heading + 2 + static_cast<long>(k / 8 * (size + 4)));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%9.4f", roots[k]);
    // Single precision prints the same four decimals unless the root lies
    // within 1e-5 of a rounding boundary, which none of these does; a
    // degenerate zero may come out as -0.0000.
    const std::string field = line.substr(2 + k % 8 * 9, 9);
    if (field != expected && !(std::fabs(roots[k]) < 1e-5 && field == "  -0.0000")) {
      fail("root " + std::to_string(k + 1) + " printed as " + field + ", is " + expected);
    }
  }
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: check_roots SOURCE-FOLDER\n";
    return 2;
  }
  const fs::path source = argv[1];
  int checked = 0, failures = 0;
  for (const auto& entry : fs::directory_iterator(source / "examples")) {
    failures += check_example(entry.path(), source / "tests/e2e/examples" / entry.path().stem() / "stdout");
    ++checked;
  }
  std::cout << checked << " examples checked, " << failures << " disagreements\n";
  return failures == 0 && checked > 0 ? 0 : 1;
}
