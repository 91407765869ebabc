#include "model/atom_index.hpp"

#include "console/error_print.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

void check_atom_index(const ReadStatement& statement, std::int32_t index, std::string_view what, std::int32_t number) {
  if (is_atom_index(index)) return;
  Message reason = message(what, {number});
  reason += message(" is %d, outside 1 to %d", {index, kMaxAtoms});
  reject_answer(statement, reason);
}

}  // namespace orbcalc
