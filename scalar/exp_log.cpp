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

// Truncated series, nested from the highest term. Terms beyond
// 2e|x| + 64 are below 2^-64 of e^x, so a longer series is e^x itself:
// cutting there keeps a huge n from running for ever.
VELTRIA_API double rExpt(double x, Qword n) {
  if (n == 0) return 1.0;
  if (n == 1) return 1.0 + x;
  if (std::isnan(x)) return x;
  const double ax = std::fabs(x);
  const double cut = 2.0 * 2.718281828459045 * ax + 64.0;
  if (static_cast<double>(n) > cut) {
    if (ax > 1000.0) return std::exp(x);  // e^x overflows or underflows anyway
    n = DoubleToQword(std::ceil(cut));
  }
  // Here n <= 2e|x| + 64 with n > 2^20 only for |x| > 1.9e5, where the
  // series' terms overflow long before the sum ends.
  if (n > (Qword{1} << 20)) {
    if (x > 0) return ___PlsINF;
    return (n & 1) ? ___MnsINF : ___PlsINF;
  }
  double s = 1.0;
  for (Qword k = n; k >= 1; --k) s = 1.0 + x * s / static_cast<double>(k);
  return s;
}
