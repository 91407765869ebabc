#include "solver/diag.hpp"

#include "solver/extended.hpp"
#include "solver/jacobi.hpp"

namespace orbcalc {

DiagResult diag(int order) {
  return jacobi<Extended>(order).converged ? DiagResult::converged : DiagResult::not_converged;
}

}  // namespace orbcalc
