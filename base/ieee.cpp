// The special-value tests by bit pattern, the magnitude and the radix split.
#include "base/ieee.h"

#include <bit>
#include <cmath>

namespace {
constexpr Qword kExpMask = 0x7FF0000000000000;
inline Qword BitsOf(double x) { return std::bit_cast<Qword>(x); }
}  // namespace

VELTRIA_API bool rIsNAN(double x) { return (BitsOf(x) & kExpMask) == kExpMask; }
VELTRIA_API bool rIsNotNAN(double x) { return !rIsNAN(x); }
VELTRIA_API bool rIsPlsINF(double x) { return BitsOf(x) == 0x7FF0000000000000; }
VELTRIA_API bool rIsMnsINF(double x) { return BitsOf(x) == 0xFFF0000000000000; }

VELTRIA_API double rAbs(double x) { return x < 0 ? -x : x; }

VELTRIA_API double rMantissaAndExponent(double x, Long* exponent, Dword radix) {
  Long e = 0;
  double m;
  if (rIsNAN(x)) {
    m = x;
  } else if (radix < 2) {
    m = ___NAN;
  } else if (x == 0) {
    e = static_cast<Long>(0x80000001u);
    m = 0.0;
  } else {
    const double r = radix;
    m = std::fabs(x);
    for (;;) {
      if (m >= r) {
        m /= r;
        ++e;
      } else if (m < 1) {
        m *= r;
        --e;
      } else {
        break;
      }
    }
    if (x < 0) m = -m;
  }
  if (exponent) *exponent = e;
  return m;
}
