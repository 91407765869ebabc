// Empty routines until the solver lands.
#include "solver/diag.hpp"
#include "solver/incre.hpp"
namespace orbcalc {
void diag() {}
void incre() {}
}  // namespace orbcalc
