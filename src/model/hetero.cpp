#include "model/hetero.hpp"

#include <algorithm>
#include <cstdint>
#include <string>

#include "console/statement.hpp"
#include "model/atom_index.hpp"
#include "model/input_prompts.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

void hetero() {
  write_statement(77, prompts::kHeteroHeader);
  // A null item repeats the previous triple's value; before the first
  // triple the indices are 0, which no atom has, and the value is 0.
  std::int32_t row = 0;
  std::int32_t column = 0;
  float value = 0.0f;
  std::int32_t p = 0;
  for (std::int32_t trips = std::max(molmodel.nhet, 0); trips > 0; --trips) {
    ++p;
    write_statement(80, prompts::kNumberedPrompt, p);
    read_statement(81, row, column, value);
    std::string parameter = " of hetero parameter " + std::to_string(p);
    check_atom_index(81, row, "Row" + parameter);
    check_atom_index(81, column, "Column" + parameter);
    hmat(row, column) = value;
    hmat(column, row) = value;
  }
}

}  // namespace orbcalc
