// Which type the solver computes in on the host the tests run on: the x87
// format in hardware on x86 (64-bit, and 32-bit Windows), SoftExtended
// everywhere else (64-bit ARM, WebAssembly: long double is IEEE quad
// there). The test says which it found, so a run under an emulator shows
// that the software type really is the one taken.
#include <gtest/gtest.h>

#include <cfloat>
#include <iostream>
#include <type_traits>

#include "solver/extended.hpp"

namespace orbcalc {
namespace {

#if defined(__x86_64__) || defined(__i386__)
constexpr bool kX87Host = true;
#else
constexpr bool kX87Host = false;
#endif

TEST(ExtendedType, IsTheHardwareFormatOnX86AndSoftExtendedElsewhere) {
  constexpr bool soft = std::is_same_v<Extended, SoftExtended>;
  std::cout << "[ extended ] the solver computes in " << (soft ? "SoftExtended" : "long double") << "; long double has "
            << LDBL_MANT_DIG << " significand bits here\n";
  EXPECT_EQ(soft, !kX87Host);
}

}  // namespace
}  // namespace orbcalc
