#include "report/pout.hpp"

#include "dialogue/dialogue.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

using namespace dialogue;

void pout(std::int32_t order) {
  write_statement(kHeading);
  std::int32_t first = 1;
  std::int32_t last = kBlockWidth;
  do {
    if (order < last) last = order;
    start_write(kRootLine);
    for (std::int32_t c = first; c <= last; ++c) transfer_real(hmat(c, c));
    st_write_done();
    write_statement(kEmptyLine);
    matout(first, last, order);
    first = last + 1;
    last = first + kBlockWidth - 1;
  } while (order >= first);
}

void matout(const std::int32_t& first, const std::int32_t& last, std::int32_t order) {
  for (std::int32_t i = 1; i <= order; ++i) {
    start_write(kAtomLine);
    transfer_integer(i);
    for (std::int32_t c = first; c <= last; ++c) transfer_real(vmat(i, c));
    st_write_done();
  }
  write_statement(kBlockEnd);
}

}  // namespace orbcalc
