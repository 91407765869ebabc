#include "model/molmodel.hpp"

#include <cstddef>

namespace orbcalc {

// The fields follow each other with no gaps, in this order: the host of the
// WebAssembly program reads the record by this layout (web/record.js).
static_assert(offsetof(Molmodel, hmat) == 0);
static_assert(offsetof(Molmodel, vmat) == 3600);
static_assert(offsetof(Molmodel, iat) == 7200);
static_assert(offsetof(Molmodel, jat) == 7320);
static_assert(offsetof(Molmodel, natom) == 7440);
static_assert(offsetof(Molmodel, nbond) == 7444);
static_assert(offsetof(Molmodel, nelec) == 7448);
static_assert(offsetof(Molmodel, nhet) == 7452);
static_assert(sizeof(Molmodel) == 7456);

Molmodel molmodel;

}  // namespace orbcalc
