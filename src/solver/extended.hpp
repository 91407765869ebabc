// The type in which the solver evaluates its formulas: a format with a
// 64-bit significand. The hardware long double where it is that format
// (x86-64), the software type everywhere else.
#pragma once

#include <cfloat>
#include <type_traits>

#include "solver/soft_extended.hpp"

namespace orbcalc {

// Besides the 64-bit significand, every conversion of a long double result
// to float must really round. That holds when float arithmetic is done in
// float itself (FLT_EVAL_METHOD 0); a 32-bit x87 build that keeps floats
// in wider registers may skip roundings, and takes the software type.
inline constexpr bool kLongDoubleIsExtended = LDBL_MANT_DIG == 64 && FLT_EVAL_METHOD == 0;

using Extended = std::conditional_t<kLongDoubleIsExtended, long double, SoftExtended>;

}  // namespace orbcalc
