// Power sums of Hoelder and Minkowski form, scaled by the largest magnitude
// so that the intermediate powers stay within range.
#include <cmath>

#include "arrays/rarr_reduce.h"
#include "scalar/elementary.h"
#include "scalar/real_helpers.h"
#include "scalar/special_numbers.h"

namespace {

// Largest and smallest of f(i) over the array (the smallest starts at the
// largest double).
template <class F>
void MagnitudeRange(Qword count, F f, double* largest, double* smallest) {
  double hi = 0, lo = ___MaxReal;
  for (Qword i = 0; i < count; ++i) {
    const double v = f(i);
    if (v > hi) hi = v;
    if (v < lo) lo = v;
  }
  *largest = hi;
  *smallest = lo;
}

// M * root(sum of power(f(i) / M)), or 0 when M is 0 or when a magnitude is
// 0 under a negative exponent.
template <class Mag, class Term, class Root>
double ScaledSum(Qword count, bool negative_exponent, Mag mag, Term term, Root root) {
  double big, small;
  MagnitudeRange(count, mag, &big, &small);
  if (big == 0 || (small == 0 && negative_exponent)) return 0.0;
  double s = 0;
  for (Qword i = 0; i < count; ++i) s += term(i, big);
  return big * root(s);
}

}  // namespace

VELTRIA_API double RArrAbsHoelderSum(Qword count, const double* x, double p) {
  if (!x || count == 0 || p == 0) return ___NAN;
  return ScaledSum(
      count, p < 0, [x](Qword i) { return std::fabs(x[i]); },
      [x, p](Qword i, double m) { return rPow(x[i] / m, p); },
      [p](double s) { return rPow(s, 1.0 / p); });
}

VELTRIA_API double RArrHoelderSumI(Qword count, const double* x, Qlong n) {
  if (!x || count == 0 || n == 0) return ___NAN;
  const double inv = 1.0 / static_cast<double>(n);
  return ScaledSum(
      count, n < 0, [x](Qword i) { return std::fabs(x[i]); },
      [x, n](Qword i, double m) { return riPower(x[i] / m, n); },
      [inv](double s) { return rPow(s, inv); });
}

VELTRIA_API double RArrAbsHoelderSumI(Qword count, const double* x, Qlong n) {
  if (!x || count == 0 || n == 0) return ___NAN;
  const double inv = 1.0 / static_cast<double>(n);
  return ScaledSum(
      count, n < 0, [x](Qword i) { return std::fabs(x[i]); },
      [x, n](Qword i, double m) { return riAbsPower(x[i] / m, n); },
      [inv](double s) { return rPow(s, inv); });
}

VELTRIA_API double RArrSignedHoelderSumI(Qword count, const double* x, Qlong n) {
  if (!x || count == 0 || n == 0) return ___NAN;
  const double inv = 1.0 / static_cast<double>(n);
  return ScaledSum(
      count, n < 0, [x](Qword i) { return std::fabs(x[i]); },
      [x, n](Qword i, double m) { return riSignedPower(x[i] / m, n); },
      [inv](double s) { return rSignedPower(s, inv); });
}

VELTRIA_API double RArrAbsMinkowskiSum(Qword count, const double* a, const double* b, double p) {
  if (!a || !b || count == 0 || p == 0) return ___NAN;
  return ScaledSum(
      count, p < 0, [a, b](Qword i) { return std::fabs(a[i]) + std::fabs(b[i]); },
      [a, b, p](Qword i, double m) { return rPow((std::fabs(a[i]) + std::fabs(b[i])) / m, p); },
      [p](double s) { return rPow(s, 1.0 / p); });
}
