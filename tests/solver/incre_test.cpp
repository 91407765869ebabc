#include "solver/incre.hpp"

#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "solver_test_support.hpp"

namespace orbcalc {
namespace {

// Column j of vmat is tagged with j, so that the tests can tell which root
// each column came from.
float tag(int row, int column) { return static_cast<float>(100 * column + row); }

TEST(Incre, OrdersRootsDescendingAndMovesColumns) {
  struct Case {
    const char* name;
    std::vector<float> roots;
    // Position the root and column at each place came from, 1-based.
    std::vector<int> origin;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {"butadiene", {0.6180340f, -1.6180339f, 1.6180339f, -0.6180340f}, {3, 1, 4, 2}},
      {"already descending", {3.0f, 2.0f, -1.0f}, {1, 2, 3}},
      // z goes to the front and carries the first y past the second.
      {"y, y, z", {1.0f, 1.0f, 2.0f}, {3, 2, 1}},
      {"one atom", {5.0f}, {1}},
      // Zeros of either sign are equal: neither replaces the other.
      {"-0 before +0", {-0.0f, 0.0f}, {1, 2}},
      {"+0 before -0", {0.0f, -0.0f}, {1, 2}},
      // Nothing is greater than a NaN, nor a NaN greater than anything.
      {"NaN first", {nan, 1.0f, 2.0f}, {1, 3, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    molmodel = {};
    const int n = static_cast<int>(c.roots.size());
    molmodel.natom = n;
    for (int j = 1; j <= n; ++j) {
      hmat(j, j) = c.roots[static_cast<std::size_t>(j - 1)];
      for (int i = 1; i <= n; ++i) vmat(i, j) = tag(i, j);
    }
    set_pair(1, 2, 42.0f);  // off the diagonal: never touched
    incre();
    for (int j = 1; j <= n; ++j) {
      const int from = c.origin[static_cast<std::size_t>(j - 1)];
      EXPECT_EQ(bits_of(hmat(j, j)),
                bits_of(c.roots[static_cast<std::size_t>(from - 1)]));
      for (int i = 1; i <= n; ++i) EXPECT_EQ(vmat(i, j), tag(i, from));
    }
    EXPECT_EQ(hmat(1, 2), 42.0f);
  }
}

TEST(Incre, EmptyOrNegativeCountMovesNothing) {
  for (int natom : {0, -2}) {
    molmodel = {};
    molmodel.natom = natom;
    hmat(1, 1) = 1.0f;
    hmat(2, 2) = 2.0f;
    vmat(1, 2) = 3.0f;
    const Molmodel before = molmodel;
    incre();
    EXPECT_EQ(std::memcmp(&before, &molmodel, sizeof before), 0);
  }
}

}  // namespace
}  // namespace orbcalc
