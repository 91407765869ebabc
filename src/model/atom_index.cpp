#include "model/atom_index.hpp"

#include <string>

#include "console/statement.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {

void check_atom_index(int line, std::int32_t index, std::string_view what) {
  if (is_atom_index(index)) return;
  reject_answer(line, std::string(what) + " is " + std::to_string(index) + ", outside 1 to " +
                          std::to_string(kMaxAtoms));
}

}  // namespace orbcalc
