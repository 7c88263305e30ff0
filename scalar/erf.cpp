// erf and erfc with their antiderivatives and derivatives, and the fast
// forms of Abramowitz-Stegun 7.1.26.
#include <bit>

#include "scalar/c_wrappers.h"
#include "scalar/elementary.h"
#include "scalar/error_functions.h"
#include "scalar/error_functions_internal.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kTwoDivSqrtPi = 1.1283791670955126;
constexpr double kFourDivSqrtPi = 2.256758334191025;
constexpr double kOneDivSqrtPi = 0.5641895835477563;
}  // namespace

double ExpOfSignedSquare(double x, double sign) {
  const double m = rAbs(x);
  // Beyond 2^20 the square leaves the range of rExp anyway.
  if (!(m < 1048576.0)) return rExp(sign * x * x);
  // The head keeps the upper 26 bits of the significand (cut toward zero, so
  // head² never passes x², and rExp cannot overflow where e^(x²) does not);
  // its square is exact and the tail m - head too.
  const double head = std::bit_cast<double>(std::bit_cast<Qword>(m) & ~((Qword{1} << 27) - 1));
  const double tail = m - head;
  return rExp(sign * (head * head)) * rExp(sign * (tail * (m + head)));
}

VELTRIA_API double rErf(double x) { return c_Erf(x); }
VELTRIA_API double rErfc(double x) { return c_Erfc(x); }

VELTRIA_API double rErfA(double x) {
  return ExpOfSignedSquare(x, -1) * kOneDivSqrtPi + x * rErf(x);
}

VELTRIA_API double rErfcA(double x) {
  // For x >= 2 the two terms cancel; the scaled form keeps the digits:
  // x·erfc x - e^(-x²)/√π = e^(-x²)·(x·erfcx x - 1/√π).
  if (x >= 2) return 0.5 * ExpOfSignedSquare(x, -1) * rFaddeevaIwD(x);
  return -ExpOfSignedSquare(x, -1) * kOneDivSqrtPi + x * rErfc(x);
}

VELTRIA_API double rErfD(double x) { return kTwoDivSqrtPi * ExpOfSignedSquare(x, -1); }
VELTRIA_API double rErfD2(double x) { return -kFourDivSqrtPi * x * ExpOfSignedSquare(x, -1); }
VELTRIA_API double rErfcD(double x) { return -kTwoDivSqrtPi * ExpOfSignedSquare(x, -1); }
VELTRIA_API double rErfcD2(double x) { return kFourDivSqrtPi * x * ExpOfSignedSquare(x, -1); }

double rErfcAS7_1_26(double x) {
  constexpr double p = 0.3275911;
  constexpr double a1 = 0.254829592, a2 = -0.284496736, a3 = 1.421413741, a4 = -1.453152027,
                   a5 = 1.061405429;
  const double t = 1 / (1 + p * x);
  return t * (a1 + t * (a2 + t * (a3 + t * (a4 + t * a5)))) * rExp(-x * x);
}

VELTRIA_API double rErfFast(double x) {
  const double r = 1 - rErfcAS7_1_26(rAbs(x));
  return x < 0 ? -r : r;
}

VELTRIA_API double rErfcFast(double x) {
  const double r = rErfcAS7_1_26(rAbs(x));
  return x < 0 ? 2 - r : r;
}
