#include "console/fpu.hpp"

#include <cfenv>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <xmmintrin.h>
#endif

namespace orbcalc {

#if defined(__i386__) || defined(__x86_64__)

namespace {

constexpr unsigned kMxcsrLowHalf = 0xFFFFu;
constexpr unsigned kMxcsrAllMasked = 0x1F80u;  // six masks, nearest, no flush to zero

constexpr unsigned short kX87ExceptionMasks = 0x003Fu;
constexpr unsigned short kX87PrecisionControl = 0x0300u;  // both set: 64-bit significand
constexpr unsigned short kX87RoundingControl = 0x0C00u;   // both clear: to nearest

bool has_sse() {
#if defined(__x86_64__) || defined(__SSE__)
  // Every x86-64 processor has SSE, and so does any processor a build for
  // SSE runs on. Asking anyway would cost a CPUID, which under a hypervisor
  // traps and takes microseconds.
  return true;
#else
  constexpr unsigned kCpuidSseBit = 1u << 25;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (edx & kCpuidSseBit) != 0;
#endif
}

}  // namespace

void init_fpu() {
  if (has_sse()) _mm_setcsr((_mm_getcsr() & ~kMxcsrLowHalf) | kMxcsrAllMasked);
  unsigned short control = 0;
  __asm__ volatile("fnclex");
  __asm__ volatile("fnstcw %0" : "=m"(control));
  control = static_cast<unsigned short>((control | kX87ExceptionMasks | kX87PrecisionControl) & ~kX87RoundingControl);
  __asm__ volatile("fldcw %0" : : "m"(control));
}

#else

// Elsewhere the standard environment already masks every exception; the
// rounding mode is all there is to set.
void init_fpu() { std::fesetround(FE_TONEAREST); }

#endif

}  // namespace orbcalc
