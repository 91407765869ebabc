#include "run/orbcalc.hpp"

#include <array>
#include <span>
#include <string>

#include "console/runtime.hpp"
#include "console/statement.hpp"
#include "model/hetero.hpp"
#include "model/molmodel.hpp"
#include "model/secdet.hpp"
#include "report/pout.hpp"
#include "run/prompts.hpp"
#include "solver/diag.hpp"
#include "solver/incre.hpp"

namespace orbcalc {
namespace {

constexpr std::size_t kNameLength = 40;
// The final answer is read and thrown away; a short text takes any answer.
constexpr std::size_t kFinalAnswerLength = 1;

}  // namespace

void orbcalc_main() {
  using namespace prompts;
  // A null answer leaves the name as it starts: all blanks.
  std::array<char, kNameLength> name;
  name.fill(' ');
  std::array<char, kFinalAnswerLength> final_answer{};

  write_statement(12, kBanner);
  write_statement(13, kAskName);
  read_statement(14, std::span<char>(name));
  write_statement(15, kAskAtoms);
  read_statement(16, molmodel.natom);
  // The record has room for 30 atoms; more would solve outside it.
  if (molmodel.natom > kMaxAtoms) {
    reject_answer(16, "Number of atoms " + std::to_string(molmodel.natom) +
                          " exceeds the limit of " + std::to_string(kMaxAtoms));
  }
  write_statement(17, kAskBonds);
  read_statement(18, molmodel.nbond);
  write_statement(19, kAskElectrons);
  read_statement(20, molmodel.nelec);
  write_statement(21, kAskHeteroCount);
  read_statement(22, molmodel.nhet);

  secdet();
  if (molmodel.nhet > 0) hetero();

  write_statement(28, kNameEcho, std::span<char>(name));
  write_statement(29, kCountEcho, molmodel.natom, molmodel.nbond);
  diag();
  incre();
  pout();

  write_statement(35, kAskAnyKey);
  read_statement(36, std::span<char>(final_answer));
  set_locus(47);
  stop_run();
}

}  // namespace orbcalc
