#include "run/orbcalc.hpp"

#include <array>
#include <span>

#include "console/runtime.hpp"
#include "dialogue/dialogue.hpp"
#include "model/atoms.hpp"
#include "model/hetero.hpp"
#include "model/molmodel.hpp"
#include "model/secdet.hpp"
#include "report/pout.hpp"
#include "solver/diag.hpp"
#include "solver/incre.hpp"

namespace orbcalc {
namespace {

constexpr std::size_t kNameLength = 40;
// The final answer is read and thrown away; a short text takes any answer.
constexpr std::size_t kFinalAnswerLength = 1;

}  // namespace

void orbcalc_main() {
  using namespace dialogue;
  // A null answer leaves the name as it starts: all blanks.
  std::array<char, kNameLength> name;
  name.fill(' ');
  std::array<char, kFinalAnswerLength> final_answer{};

  write_statement(kBanner);
  write_statement(kAskName);
  read_statement(kReadName, std::span<char>(name));
  write_statement(kAskAtoms);
  read_statement(kReadAtoms, molmodel.natom);
  check_atom_count(kReadAtoms, molmodel.natom);
  write_statement(kAskBonds);
  read_statement(kReadBonds, molmodel.nbond);
  write_statement(kAskElectrons);
  read_statement(kReadElectrons, molmodel.nelec);
  write_statement(kAskHeteroCount);
  read_statement(kReadHeteroCount, molmodel.nhet);

  secdet();
  if (molmodel.nhet > 0) hetero();

  write_statement(kNameEcho, std::span<char>(name));
  write_statement(kCountEcho, molmodel.natom, molmodel.nbond);
  // The solver and the report work on the block the count stands for. A
  // run whose iteration cannot settle still prints its table: the values
  // that would not converge show there as they stand.
  const int order = atom_block(molmodel.natom);
  if (diag(order) == DiagResult::not_converged) warn(kNotConverged);
  incre(order);
  pout(order);

  write_statement(kAskAnyKey);
  read_statement(kReadFinalAnswer, std::span<char>(final_answer));
  set_locus(kStopLine);
  stop_run();
}

}  // namespace orbcalc
