// Guarded exponentials and logarithms: overflow of rExp is NaN, never
// infinity; logarithms are NaN at and below ___MinReal.
#include <cmath>

#include "base/double_to_int.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"

namespace {
constexpr double kLn10 = 2.302585092994046;
constexpr double kLog10E = 0.4342944819032518;
}  // namespace

VELTRIA_API double rExp(double x) {
  if (x > ___LnMaxReal) return ___NAN;
  if (x < ___LnMinReal) return 0.0;
  return std::exp(x);
}

VELTRIA_API double rLog2(double x) {
  if (x <= ___MinReal) return ___NAN;
  return std::log2(x);
}

// Same guard as rLog2; the C library's own logarithms round better than a
// product with log2.
VELTRIA_API double rLog(double x) {
  if (x <= ___MinReal) return ___NAN;
  return std::log(x);
}

VELTRIA_API double rLog10(double x) {
  if (x <= ___MinReal) return ___NAN;
  return std::log10(x);
}

VELTRIA_API double rLogInBase(double x, double base) { return rLog2(x) / rLog2(base); }

VELTRIA_API double rLogRatio(double x, double base) {
  if (base == 1.0) return ___NAN;
  return rLogInBase(x, base);
}

VELTRIA_API double rLogSym(double x) { return x >= 0 ? std::log1p(x) : -std::log1p(-x); }
VELTRIA_API double rLogSym10(double x) { return kLog10E * rLogSym(x); }

VELTRIA_API double rExpSym(double x) { return x >= 0 ? rExp(x - 1) : -rExp(-x - 1); }
VELTRIA_API double rExpSym10(double x) {
  return x >= 0 ? rExp(kLn10 * x - 1) : -rExp(-kLn10 * x - 1);
}

VELTRIA_API double rLogA(double x) {
  if (x < 0) return ___NAN;
  if (x == 0) return 0.0;
  return x * rLog(x) - x;
}

// Truncated series, nested from the highest term. The bounds below keep a
// huge n from running for ever: terms beyond 2e|x| + 64 are below 2^-64 of
// e^x, so a longer series is e^x itself.
VELTRIA_API double rExpt(double x, Qword n) {
  if (n == 0) return 1.0;
  if (n == 1) return 1.0 + x;
  if (std::isnan(x)) return x;
  constexpr double kE = 2.718281828459045;
  const double ax = std::fabs(x);
  const double m = static_cast<double>(n);
  if (ax <= 1000.0) {
    const double cut = 2 * kE * ax + 64;
    if (m > cut) n = DoubleToQword(std::ceil(cut));  // at most 5502 steps
  } else {
    // e^x is out of range. Past e|x| + 64 terms the remainder is below
    // e^-64, so the sum is e^x: infinity or 0.
    if (m > kE * ax + 64) return std::exp(x);
    if (n > (Qword{1} << 20)) {
      // A term of the sum overflows; for x < 0 the last one sets the sign.
      if (x > 0) return ___PlsINF;
      return (n & 1) ? ___MnsINF : ___PlsINF;
    }
  }
  double s = 1.0;
  for (Qword k = n; k >= 1; --k) s = 1.0 + x * s / static_cast<double>(k);
  return s;
}
