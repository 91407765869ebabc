#include "model/hetero.hpp"

#include <algorithm>
#include <cstdint>

#include "dialogue/dialogue.hpp"
#include "model/atoms.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

void hetero() {
  using namespace dialogue;
  write_statement(kHeteroHeader);
  // A null item repeats the previous triple's value; before the first
  // triple the indices are 0, which no atom has, and the value is 0.
  std::int32_t row = 0;
  std::int32_t column = 0;
  float value = 0.0f;
  std::int32_t p = 0;
  for (std::int32_t trips = std::max(molmodel.nhet, 0); trips > 0; --trips) {
    ++p;
    write_statement(kHeteroPrompt, p);
    read_statement(kReadHetero, row, column, value);
    check_atom_index(kReadHetero, row, "Row of hetero parameter %d", p);
    check_atom_index(kReadHetero, column, "Column of hetero parameter %d", p);
    hmat(row, column) = value;
    hmat(column, row) = value;
  }
}

}  // namespace orbcalc
