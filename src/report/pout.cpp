#include "report/pout.hpp"

#include "model/molmodel.hpp"
#include "run/dialogue.hpp"

namespace orbcalc {

using namespace dialogue;

void pout() {
  write_statement(kHeading);
  const std::int32_t block = atom_block();
  std::int32_t first = 1;
  std::int32_t last = kBlockWidth;
  do {
    if (block < last) last = block;
    start_write(kRootLine);
    for (std::int32_t c = first; c <= last; ++c) transfer_real(hmat(c, c));
    st_write_done();
    write_statement(kEmptyLine);
    matout(first, last);
    first = last + 1;
    last = first + kBlockWidth - 1;
  } while (block >= first);
}

void matout(const std::int32_t& first, const std::int32_t& last) {
  const std::int32_t block = atom_block();
  for (std::int32_t i = 1; i <= block; ++i) {
    start_write(kAtomLine);
    transfer_integer(i);
    for (std::int32_t c = first; c <= last; ++c) transfer_real(vmat(i, c));
    st_write_done();
  }
  write_statement(kBlockEnd);
}

}  // namespace orbcalc
