#include "model/secdet.hpp"

#include <algorithm>
#include <cstdint>
#include <string>

#include "console/statement.hpp"
#include "model/atom_index.hpp"
#include "model/input_prompts.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

void secdet() {
  write_statement(55, prompts::kBondHeader);
  std::int32_t b = 0;
  for (std::int32_t trips = std::max(molmodel.nbond, 0); trips > 0; --trips) {
    ++b;
    write_statement(58, prompts::kNumberedPrompt, b);
    // The bond list keeps the first 30 pairs; later ones still set their
    // elements of the matrix.
    std::int32_t spare_first = 0;
    std::int32_t spare_second = 0;
    bool listed = b <= kMaxBonds;
    std::int32_t& first = listed ? molmodel.iat[static_cast<std::size_t>(b - 1)] : spare_first;
    std::int32_t& second = listed ? molmodel.jat[static_cast<std::size_t>(b - 1)] : spare_second;
    read_statement(59, first, second);
    std::string bond = " of bond " + std::to_string(b);
    check_atom_index(59, first, "Atom 1" + bond);
    check_atom_index(59, second, "Atom 2" + bond);
    hmat(first, second) = 1.0f;
    hmat(second, first) = 1.0f;
  }
}

}  // namespace orbcalc
