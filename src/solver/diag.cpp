#include "solver/diag.hpp"

#include "solver/extended.hpp"
#include "solver/jacobi.hpp"

namespace orbcalc {

DiagResult diag() { return jacobi<Extended>().converged ? DiagResult::converged : DiagResult::not_converged; }

}  // namespace orbcalc
