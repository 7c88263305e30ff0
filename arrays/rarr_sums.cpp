// Sums and products of real arrays.
#include <cmath>

#include "arrays/rarr_reduce.h"
#include "scalar/real_helpers.h"

namespace {

template <class F>
double SumOf(Qword count, const double* x, bool backward, F f) {
  double s = 0;
  if (backward) {
    for (Qword i = count; i-- > 0;) s += f(x[i]);
  } else {
    for (Qword i = 0; i < count; ++i) s += f(x[i]);
  }
  return s;
}

}  // namespace

VELTRIA_API double RArrSum(Qword count, const double* x, bool backward) {
  if (!x || count == 0) return ___NAN;
  return SumOf(count, x, backward, [](double v) { return v; });
}

VELTRIA_API double RArrAbsSum(Qword count, const double* x, bool backward) {
  if (!x || count == 0) return ___NAN;
  return SumOf(count, x, backward, [](double v) { return std::fabs(v); });
}

VELTRIA_API double RArrSkipSum(Qword count, const double* x, Qword step) {
  if (!x || count == 0 || step == 0) return ___NAN;
  double s = 0;
  for (Qword i = 0; i < count; i += step) {
    s += x[i];
    if (count - i <= step) break;  // the next index would pass count (or wrap)
  }
  return s;
}

VELTRIA_API double RArrSumOfPowersI(Qword count, const double* x, Qword n) {
  if (!x || count == 0) return ___NAN;
  if (n == 0) return static_cast<double>(count);
  if (n == 1) return SumOf(count, x, false, [](double v) { return v; });
  if (n == 2) return SumOf(count, x, false, [](double v) { return v * v; });
  const Qlong k = static_cast<Qlong>(n);
  return SumOf(count, x, false, [k](double v) { return riPower(v, k); });
}

VELTRIA_API double RArrAbsSumOfPowers(Qword count, const double* x, double p) {
  if (!x || count == 0) return ___NAN;
  double s = 0;
  for (Qword i = 0; i < count; ++i) {
    const double t = rPow(x[i], p);
    if (t == ___MaxReal) return t;  // saturated: the sum is no better
    s += t;
  }
  return s;
}

VELTRIA_API double RArrProduct(Qword count, const double* x) {
  if (!x || count == 0) return 1.0;
  double p = 1.0;
  for (Qword i = 0; i < count; ++i) p *= x[i];
  return p;
}

VELTRIA_API double RArrAbsProduct(Qword count, const double* x) {
  if (!x || count == 0) return 1.0;
  double p = 1.0;
  for (Qword i = 0; i < count; ++i) p *= std::fabs(x[i]);
  return p;
}

VELTRIA_API double RArrAbsProductLn(Qword count, const double* x, Qlong* sign) {
  if (!x || count == 0) return 0.0;
  double s = 0;
  Qword negatives = 0;
  for (Qword i = 0; i < count; ++i) {
    if (x[i] == 0) {
      if (sign) *sign = 0;
      return ___MnsINF;
    }
    negatives += (x[i] < 0);
    s += std::log(std::fabs(x[i]));
  }
  if (sign) *sign = (negatives & 1) ? -1 : 1;
  return s;
}
