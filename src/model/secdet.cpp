#include "model/secdet.hpp"

#include <algorithm>
#include <cstdint>

#include "dialogue/dialogue.hpp"
#include "model/atoms.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

void secdet() {
  using namespace dialogue;
  write_statement(kBondHeader);
  std::int32_t b = 0;
  for (std::int32_t trips = std::max(molmodel.nbond, 0); trips > 0; --trips) {
    ++b;
    write_statement(kBondPrompt, b);
    // The bond list keeps the first 30 pairs; later ones still set their
    // elements of the matrix.
    std::int32_t spare_first = 0;
    std::int32_t spare_second = 0;
    bool listed = b <= kMaxBonds;
    std::int32_t& first = listed ? molmodel.iat[static_cast<std::size_t>(b - 1)] : spare_first;
    std::int32_t& second = listed ? molmodel.jat[static_cast<std::size_t>(b - 1)] : spare_second;
    read_statement(kReadBond, first, second);
    check_atom_index(kReadBond, first, "Atom 1 of bond %d", b);
    check_atom_index(kReadBond, second, "Atom 2 of bond %d", b);
    hmat(first, second) = 1.0f;
    hmat(second, first) = 1.0f;
  }
}

}  // namespace orbcalc
