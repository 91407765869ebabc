#include "model/atoms.hpp"

#include "console/error_print.hpp"

namespace orbcalc {

void check_atom_count(const ReadStatement& statement, std::int32_t natom) {
  // More atoms would solve outside the record.
  if (natom > kMaxAtoms) {
    reject_answer(statement, message("Number of atoms %d exceeds the limit of %d", {natom, kMaxAtoms}));
  }
}

void check_atom_index(const ReadStatement& statement, std::int32_t index, std::string_view what, std::int32_t number) {
  if (is_atom_index(index)) return;
  Message reason = message(what, {number});
  reason += message(" is %d, outside 1 to %d", {index, kMaxAtoms});
  reject_answer(statement, reason);
}

}  // namespace orbcalc
