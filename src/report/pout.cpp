#include "report/pout.hpp"

#include <string_view>

#include "console/statement.hpp"
#include "model/molmodel.hpp"

namespace orbcalc {
namespace {

constexpr std::string_view kHeading = "(/' -- Eigenvalues and Eigenvectors --'/)";
constexpr std::string_view kRootLine = "(2X,8F9.4)";
constexpr std::string_view kEmptyLine = "(1X)";
constexpr std::string_view kAtomLine = "(I2,8F9.4)";
constexpr std::string_view kBlockEnd = "(/)";
constexpr std::int32_t kBlockWidth = 8;

}  // namespace

void pout() {
  write_statement(195, kHeading);
  std::int32_t first = 1;
  std::int32_t last = kBlockWidth;
  do {
    if (molmodel.natom < last) last = molmodel.natom;
    set_locus(201);
    st_write(kOutputUnit, kRootLine);
    for (std::int32_t c = first; c <= last; ++c) transfer_real(hmat(c, c));
    st_write_done();
    write_statement(202, kEmptyLine);
    matout(first, last);
    first = last + 1;
    last = first + kBlockWidth - 1;
  } while (molmodel.natom >= first);
}

void matout(const std::int32_t& first, const std::int32_t& last) {
  for (std::int32_t i = 1; i <= molmodel.natom; ++i) {
    set_locus(215);
    st_write(kOutputUnit, kAtomLine);
    transfer_integer(i);
    for (std::int32_t c = first; c <= last; ++c) transfer_real(vmat(i, c));
    st_write_done();
  }
  write_statement(217, kBlockEnd);
}

}  // namespace orbcalc
